// The simulated unit's memory as JSON: every block, the stored modes, the system block and
// the Bluetooth name.
#pragma once

#include <QString>

class CSimUnit;

// false with `error` set when the file cannot be read or does not describe a unit; the unit
// is then left as it was.
bool LoadSimState(CSimUnit& sim, const QString& path, QString& error);
bool SaveSimState(const CSimUnit& sim, const QString& path, QString& error);
