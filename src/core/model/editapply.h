// Edits applied back to the model through its setters (so the changed flags rise and the
// ordinary change frames go out), and the edits that lead from one image to another.
#pragma once

#include <cstdint>
#include <vector>

#include "core/model/editcell.h"

class CAudioData;
struct DeviceImage;

// Sets `cell` to v through the setter that mirrors into it; false (nothing changed) when no
// setter writes that cell.
bool ApplyEditCell(CAudioData& model, const EditCell& cell, std::int16_t v);
// True when a setter of the model writes `cell`.
bool IsEditCell(CAudioData& model, const EditCell& cell);

// Every settable cell whose value differs between `from` and `to`, in image order: channel
// words, the channels' PC-side words, then the system words.
std::vector<EditChange> DiffImages(CAudioData& model, const DeviceImage& from,
                                   const DeviceImage& to);

// The value `cell` holds in `image`.
std::int16_t CellValue(const DeviceImage& image, const EditCell& cell);

// Applies each change's new value (or, with `undo`, each old value, last change first).
void ApplyChanges(CAudioData& model, const std::vector<EditChange>& changes, bool undo = false);
