// A channel record with an equaliser: its fields (CParamRecord) and its band set. Bands and
// crossovers live in the same channel block as the fields.
#pragma once

#include "core/model/eq.h"
#include "core/model/paramrecord.h"

// Field id of the EQ bypass word, shared by every equalised record.
inline constexpr int kFieldEqBypass = 100;

class CEqRecord : public CParamRecord {
public:
    CEQ& GetEQ() { return m_eq; }
    const CEQ& GetEQ() const { return m_eq; }
    OwnerKind GetOwnerKind() const { return m_nKind; }

    std::int16_t GetEqBypass() const { return Get(FieldOf(kFieldEqBypass)); }
    void SetEqBypass(std::int16_t v) { Set(FieldOf(kFieldEqBypass), v); }
    // Only 1 bypasses the equaliser; any other word a unit may hold leaves it active.
    bool IsEqBypassed() const { return GetEqBypass() == 1; }

    // The record's fields and its band set report their edits to `observer`.
    void AttachEditObserver(IEditObserver* observer);
    // Every changed flag of the record and of its band set to v.
    void SetAllChanged(int v);
    // Fields, bands (frequency indexes clamped into 0-360, band flags cleared) and crossovers
    // (frequency, step code, variable Q) from the record's block.
    void LoadFromImage(const DeviceImage& image);
    void StoreToImage(DeviceImage& image) const;
    // The file form: the fields that are in the file, then every record of the band set.
    void Serialize(CArchive& ar);
    // Resets the parametric bands to their initial settings; refused (false) while the EQ is
    // bypassed. The caller queues the reset frame. The observer sees the reset as one step.
    bool ResetEq();

protected:
    CEqRecord(std::span<const FieldDef> fields, OwnerKind kind, int scene, DeviceImage* image);
    virtual void OnLoadedFromImage() {}

private:
    OwnerKind m_nKind = OwnerKind::Music;
    CEQ m_eq;
};
