// The common shape of every parameter record: a list of signed 16-bit fields, each with its
// word in the record's channel block and one changed flag. A setter stores the value, mirrors
// it into the device image and raises the flag; the sender clears the flag when it builds the
// frame. Records also load and store all their fields from and to an image in bulk.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/model/editcell.h"

class CArchive;
struct DeviceImage;

// The values a field's page lets the user choose (both ends included).
struct FieldRange {
    std::int16_t min;
    std::int16_t max;
    bool Contains(int v) const { return v >= min && v <= max; }
};

struct FieldDef {
    const char* name;  // the field's name, as shown by the tools
    int word;          // word in the channel block; -1 when the field has no word
    int id;            // the record kind's own field id
    bool inFile;       // part of the parameter file
    std::int16_t defaultValue;
    FieldRange range;
};

inline constexpr int kMaxRecordFields = 18;

class CParamRecord {
public:
    virtual ~CParamRecord() = default;

    // Channel number of the record's block (kind base + GetScene()).
    int Channel() const { return m_nChannel; }
    // Scene of an output record; 0 for the others.
    int GetScene() const { return m_nIndex; }

    // Generic field access by position (0 .. FieldCount()-1, the record's field order); an
    // out-of-range position reads 0 and changes nothing.
    int FieldCount() const { return static_cast<int>(m_fields.size()); }
    std::span<const FieldDef> Fields() const { return m_fields; }
    int FieldWord(int field) const;
    // Position of the field with id `id`, or of the field at word `word`; -1 if none.
    int FieldOf(int id) const;
    int FieldAtWord(int word) const;
    std::int16_t Get(int field) const;
    void Set(int field, std::int16_t v);
    bool IsChanged(int field) const;
    void ClearChanged(int field);
    // True when any field's changed flag is raised (the sender's quick test at every idle tick).
    bool AnyChanged() const;

    // Receives every edit Set makes from now on (null: none).
    void SetEditObserver(IEditObserver* observer) { m_pObserver = observer; }
    // The image cell field `field` is mirrored into; false for a field that is no edit of the
    // unit's settings (no word, or a command such as the panel lock).
    virtual bool CellOf(int field, EditCell& cell) const;

protected:
    CParamRecord(std::span<const FieldDef> fields, int channel, int index, DeviceImage* image);
    CParamRecord(const CParamRecord&) = default;
    CParamRecord& operator=(const CParamRecord&) = default;

    void SetFieldsChanged(int v);
    // Stores a loaded value: no mirror, no flag.
    void LoadValue(int field, std::int16_t v);
    void LoadFields(const DeviceImage& image);
    void StoreFields(DeviceImage& image) const;
    void SerializeFields(CArchive& ar);
    // Writes a set value into the image; by default the field's word of the record's block.
    virtual void MirrorField(int field, std::int16_t v);

    DeviceImage* m_pImage = nullptr;
    IEditObserver* m_pObserver = nullptr;

private:
    bool Valid(int field) const { return field >= 0 && field < FieldCount(); }

    std::span<const FieldDef> m_fields;
    int m_nChannel = 0;
    int m_nIndex = 0;
    std::array<std::int16_t, kMaxRecordFields> m_nValues{};
    std::array<int, kMaxRecordFields> m_bChanged{};
};
