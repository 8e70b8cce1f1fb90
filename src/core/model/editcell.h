// One edited value as the edit history and the kept edits see it: the cell of the device image
// a setter mirrors into (a device word of a channel block, a PC-side word of a channel block,
// or a word of the system block), with the value before and after the edit. A cell names the
// setter that writes it, so an edit can be applied again through the model's setters
// (editapply.h).
#pragma once

#include <compare>
#include <cstdint>

enum class CellSpace : std::uint8_t { Word, PcWord, System };

struct EditCell {
    CellSpace space = CellSpace::Word;
    int channel = 0;  // block channel 0-10; ignored for the system block
    int word = 0;     // word, PC-side slot or system word

    auto operator<=>(const EditCell&) const = default;
};

struct EditChange {
    EditCell cell;
    std::int16_t oldValue = 0;
    std::int16_t newValue = 0;

    bool operator==(const EditChange&) const = default;
};

// Told of every edit a record setter makes while it is attached to the model
// (CAudioData::SetEditObserver). Group brackets tie several edits into one step.
class IEditObserver {
public:
    virtual ~IEditObserver() = default;
    virtual void OnEdit(const EditChange& change) = 0;
    // A key other than 0 lets a bracket reopen the step of the previous bracket with the same
    // key while it is the newest step and its last edit is recent (a burst of wheel notches).
    virtual void BeginGroup(std::uintptr_t key = 0) = 0;
    virtual void EndGroup() = 0;
};

// Brackets a multi-field action; a null observer makes it do nothing.
class CEditGroup {
public:
    explicit CEditGroup(IEditObserver* observer, std::uintptr_t key = 0) : m_pObserver(observer) {
        if (m_pObserver != nullptr) {
            m_pObserver->BeginGroup(key);
        }
    }
    ~CEditGroup() {
        if (m_pObserver != nullptr) {
            m_pObserver->EndGroup();
        }
    }
    CEditGroup(const CEditGroup&) = delete;
    CEditGroup& operator=(const CEditGroup&) = delete;

private:
    IEditObserver* m_pObserver;
};
