#include "core/protocol/linkstate.h"

CLinkState g_linkState;
