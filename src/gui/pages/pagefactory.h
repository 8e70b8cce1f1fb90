// The channel pages by page index: the one place that says which page class each selector
// button shows. The main window and the tests create every page through it.
#pragma once

class CAudioData;
class CChannelPage;
class QWidget;

// Page `page` (0 music ... 5 sub), a child of `parent`, hidden; null for any other index.
CChannelPage* CreateChannelPage(int page, CAudioData& model, QWidget* parent);
