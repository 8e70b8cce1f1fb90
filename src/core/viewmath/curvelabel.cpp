#include "core/viewmath/curvelabel.h"

#include "core/model/conversiontool.h"
#include "core/model/filter.h"

std::string CurveRecordDescription(const CFilter& record, int index) {
    if (record.IsHighPass()) {
        return "HPF:" + FormatFixed(FreqAt(record.m_nXoverFreq), 1) + "Hz";
    }
    if (record.IsLowPass()) {
        return "LPF:" + FormatFixed(FreqAt(record.m_nXoverFreq), 1) + "Hz";
    }
    const bool shelf = record.m_nType == kTypeHighShelf || record.m_nType == 3;
    const double q = shelf ? SlopeAt(record.m_nSlope) : QAt(record.m_nQ);
    const bool zeroGain = record.m_bFlat != 0 || record.m_bBypass != 0;
    return "EQ" + std::to_string(index + 1) + ":Freq:" + FormatFixed(record.m_dFreqHz, 1) +
           "Hz Q:" + FormatFixed(q, 2) +
           " Gain:" + (zeroGain ? std::string("0.0") : FormatFixed(record.m_dGainDb, 1)) + "dB";
}

std::string CurveHandleLabel(const CFilter& record, int index) {
    if (record.IsHighPass()) {
        return "H";
    }
    if (record.IsLowPass()) {
        return "L";
    }
    return std::to_string(index + 1);
}
