// The integer fields of a band or crossover record (the 68-byte record of a parameter file)
// with the range each may hold. The doubles of the record are derived from these.
#pragma once

#include <cstdint>
#include <string>

#include "core/model/datadefine.h"
#include "core/model/eq.h"
#include "core/model/fieldranges.h"
#include "core/model/filter.h"
#include "core/model/paramrecord.h"

// The frequency range of the record's crossover slider on its page, or the whole scale for a
// band.
FieldRange XoverFreqRange(const CFilter& f);
// The filter types the record may take: its crossover kind, or any band type.
FieldRange BandTypeRange(const CFilter& f);

// How the tools name record k of a band set: "band K" (from 1), "high-pass", "low-pass".
std::string BandItemName(const CEQ& eq, int k);

// Calls fn(name, member, range) for every integer field of the record, in file order.
template <class Fn>
void VisitBandFields(CFilter& f, Fn&& fn) {
    constexpr FieldRange kOnOff = {0, 1};
    const std::int16_t role = f.IsCrossover() ? 0 : 1;
    fn("m_bEqBand", f.m_bEqBand, FieldRange{role, role});
    fn("m_nType", f.m_nType, BandTypeRange(f));
    fn("m_nFreq", f.m_nFreq, BandFieldRange(f, EBandField::Freq));
    fn("m_nGain", f.m_nGain, BandFieldRange(f, EBandField::Gain));
    fn("m_nQ", f.m_nQ, FieldRange{0, kQCount - 1});
    fn("m_nSlope", f.m_nSlope, FieldRange{0, kSlopeCount - 1});
    fn("m_nSlopeCode", f.m_nSlopeCode, FieldRange{0, 12});
    fn("m_nXoverFreq", f.m_nXoverFreq, XoverFreqRange(f));
    fn("m_nXoverFamilyCode", f.m_nXoverFamilyCode, FieldRange{0, 2});
    fn("m_nXoverStepCode", f.m_nXoverStepCode, FieldRange{0, 4});
    fn("m_nXoverQ", f.m_nXoverQ, FieldRange{0, kXoverQCount - 1});
    fn("m_nFamily", f.m_nFamily, FieldRange{0, 2});
    fn("m_nSlopeStep", f.m_nSlopeStep, FieldRange{0, 5});
    fn("m_bFlat", f.m_bFlat, kOnOff);
}
