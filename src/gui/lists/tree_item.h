#pragma once
// The items a tree node carries. TVITEM keeps everything; TVITEM2 is the compact item of large
// trees: four cargos and one number MARK_TB packing the mark (odd), the found flag
// ((MARK_TB mod 20) >= 2) and the picture (MARK_TB div 20). Both answer the same calls, so the
// tree works with either.
#include <array>
#include <optional>
#include <string>

#include "gui/lists/cargo_control.h"

namespace qz::gui {

class TreeNodeItem {
public:
    virtual ~TreeNodeItem() = default;

    const std::string& GetText() const { return cPrompt; }
    void SetText(const std::string& text);
    // Cargo slots 1 to 7 (Getcargo / Getcargo2 ... Getcargo7); nil when unset or not kept.
    virtual std::optional<Cargo> Getcargo(int slot = 1) const = 0;
    virtual void SetCargo(const std::optional<Cargo>& cargo, int slot = 1) = 0;

    virtual bool Marked() const = 0;
    virtual void _Marked(bool on) = 0;
    void Toggle() { _Marked(!Marked()); }
    virtual bool FOUND() const = 0;
    virtual void _FOUND(bool on) = 0;
    virtual int BitMap() const = 0;
    virtual void _BitMap(int picture) = 0;
    // An item added by the user and not yet saved by the screen.
    virtual bool New_Data() const { return false; }
    virtual void New_Data(bool) {}
    // Extra lines drawn under the text (data, print, number, multiple and boxed bars); the
    // compact item has none.
    enum Bar { kDataBar, kPrintBar, kNumBar, kMultipleBar, kRectangleBar };
    virtual std::optional<std::string> bar(Bar which) const = 0;
    virtual void set_bar(Bar which, const std::optional<std::string>& text) = 0;

protected:
    std::string cPrompt;
};

class TVITEM : public TreeNodeItem {
public:
    std::optional<Cargo> Getcargo(int slot = 1) const override;
    void SetCargo(const std::optional<Cargo>& cargo, int slot = 1) override;
    bool Marked() const override { return Mark; }
    void _Marked(bool on) override { Mark = on; }
    bool FOUND() const override { return T_Found; }
    void _FOUND(bool on) override { T_Found = on; }
    int BitMap() const override { return T_BITMAP; }
    void _BitMap(int picture) override { T_BITMAP = picture; }
    bool New_Data() const override { return New_Item; }
    void New_Data(bool on) override { New_Item = on; }
    std::optional<std::string> bar(Bar which) const override { return m_bars[which]; }
    void set_bar(Bar which, const std::optional<std::string>& text) override {
        m_bars[which] = text;
    }

private:
    bool Mark = false;
    bool T_Found = false;
    bool New_Item = false;
    int T_BITMAP = 0;
    std::array<std::optional<Cargo>, 7> m_cargo;
    std::array<std::optional<std::string>, 5> m_bars;
};

class TVITEM2 : public TreeNodeItem {
public:
    std::optional<Cargo> Getcargo(int slot = 1) const override;
    void SetCargo(const std::optional<Cargo>& cargo, int slot = 1) override;
    bool Marked() const override { return MARK_TB % 2 == 1; }
    void _Marked(bool on) override;
    bool FOUND() const override { return MARK_TB % 20 >= 2; }
    void _FOUND(bool on) override;
    int BitMap() const override { return MARK_TB / 20; }
    void _BitMap(int picture) override { MARK_TB = picture * 20 + MARK_TB % 20; }
    std::optional<std::string> bar(Bar) const override { return std::nullopt; }
    void set_bar(Bar, const std::optional<std::string>&) override {}

    int MARK_TB = 0;

private:
    std::array<std::optional<Cargo>, 4> m_cargo;
};

}  // namespace qz::gui
