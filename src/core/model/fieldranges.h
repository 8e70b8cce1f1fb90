// The values each band field and crossover frequency may take: the one source of these ranges
// for the pages, the curve drags and the parameter-file check. Record fields carry theirs in
// their field tables (FieldDef::range).
#pragma once

#include "core/model/filter.h"
#include "core/model/paramrecord.h"

// The editable fields of a parametric band. QOrSlope is the Q index of a peaking band and the
// shelf-slope index of any other type, as the band's Q box shows it.
enum class EBandField { Gain, Freq, QOrSlope, Type };

FieldRange BandFieldRange(const CFilter& band, EBandField field);
// The band's value of `field`, and storing it through the band's setter.
int BandFieldValue(const CFilter& band, EBandField field);
void SetBandField(CFilter& band, EBandField field, int value);

// Where a crossover's corner may go on the page of owner kind `kind`: a high-pass filter up to
// 303 Hz (index 142; the music page's curve up to 143 and the effect page's up to 205); a
// low-pass filter from 5990 Hz up on the main output (297 ...), up to 303 Hz on the subwoofer,
// anywhere on the others.
FieldRange CrossoverFreqRange(OwnerKind kind, bool bHighPass);
