#include "core/model/paramrecord.h"

#include <algorithm>

#include "core/model/archive.h"
#include "core/model/deviceimage.h"

namespace {
std::size_t At(int i) {
    return static_cast<std::size_t>(i);
}
}  // namespace

CParamRecord::CParamRecord(std::span<const FieldDef> fields, int channel, int index,
                           DeviceImage* image)
    : m_pImage(image),
      m_fields(fields.first(std::min(fields.size(), At(kMaxRecordFields)))),
      m_nChannel(channel),
      m_nIndex(index) {
    for (int i = 0; i < FieldCount(); ++i) {
        m_nValues[At(i)] = m_fields[At(i)].defaultValue;
    }
}

int CParamRecord::FieldWord(int field) const {
    return Valid(field) ? m_fields[At(field)].word : -1;
}

int CParamRecord::FieldOf(int id) const {
    for (int i = 0; i < FieldCount(); ++i) {
        if (m_fields[At(i)].id == id) {
            return i;
        }
    }
    return -1;
}

int CParamRecord::FieldAtWord(int word) const {
    for (int i = 0; i < FieldCount(); ++i) {
        if (word >= 0 && m_fields[At(i)].word == word) {
            return i;
        }
    }
    return -1;
}

std::int16_t CParamRecord::Get(int field) const {
    return Valid(field) ? m_nValues[At(field)] : std::int16_t{0};
}

void CParamRecord::Set(int field, std::int16_t v) {
    if (!Valid(field)) {
        return;
    }
    EditCell cell;
    if (m_pObserver != nullptr && CellOf(field, cell)) {
        m_pObserver->OnEdit({cell, m_nValues[At(field)], v});
    }
    m_nValues[At(field)] = v;
    MirrorField(field, v);
    m_bChanged[At(field)] = 1;
}

bool CParamRecord::CellOf(int field, EditCell& cell) const {
    const int word = FieldWord(field);
    if (word < 0) {
        return false;
    }
    cell = {CellSpace::Word, m_nChannel, word};
    return true;
}

bool CParamRecord::IsChanged(int field) const {
    return Valid(field) && m_bChanged[At(field)] != 0;
}

bool CParamRecord::AnyChanged() const {
    const auto flags = std::span(m_bChanged).first(At(FieldCount()));
    return std::any_of(flags.begin(), flags.end(), [](int flag) { return flag != 0; });
}

void CParamRecord::ClearChanged(int field) {
    if (Valid(field)) {
        m_bChanged[At(field)] = 0;
    }
}

void CParamRecord::SetFieldsChanged(int v) {
    for (int i = 0; i < FieldCount(); ++i) {
        m_bChanged[At(i)] = v;
    }
}

void CParamRecord::LoadValue(int field, std::int16_t v) {
    if (Valid(field)) {
        m_nValues[At(field)] = v;
    }
}

void CParamRecord::LoadFields(const DeviceImage& image) {
    for (int i = 0; i < FieldCount(); ++i) {
        if (m_fields[At(i)].word >= 0) {
            m_nValues[At(i)] = image.Word(m_nChannel, m_fields[At(i)].word);
        }
    }
}

void CParamRecord::StoreFields(DeviceImage& image) const {
    for (int i = 0; i < FieldCount(); ++i) {
        image.SetWord(m_nChannel, m_fields[At(i)].word, m_nValues[At(i)]);
    }
}

void CParamRecord::SerializeFields(CArchive& ar) {
    for (int i = 0; i < FieldCount(); ++i) {
        if (m_fields[At(i)].inFile) {
            ar.Exchange(m_nValues[At(i)]);
        }
    }
}

void CParamRecord::MirrorField(int field, std::int16_t v) {
    if (m_pImage != nullptr) {
        m_pImage->SetWord(m_nChannel, m_fields[At(field)].word, v);
    }
}
