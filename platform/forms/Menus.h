#pragma once
// Menus: TMenuItem trees under a TMainMenu (the menu bar of a form) or a TPopupMenu (a context
// menu). Captions carry their accelerator as "&File"; "-" is a separator. A shortcut is a virtual
// key plus scShift, scCtrl and scAlt.

#include "platform/classes/Component.h"
#include "platform/forms/Controls.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QMenu;
class QMenuBar;
class QAction;
class TMenu;

using TShortCut = unsigned short;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

TShortCut ShortCut(TKeyCode key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, TKeyCode& key, TShiftState& shift);
// "Ctrl+S", "Shift+F5", "Del"; TextToShortCut reads the same texts back (0 for unknown text).
std::string ShortCutToText(TShortCut shortCut);
TShortCut TextToShortCut(const std::string& text);
// The accelerator character of a caption ("&File" gives 'F', "&&" is a plain "&"), 0 for none.
char32_t GetHotkey(const std::string& caption);
std::string StripHotkey(const std::string& caption);

class TMenuItem : public TComponent {
    Q4_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;
    static void DeclareProperties(TPropertyList& p);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& v);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Checked() const { return checked_; }
    // Checking a radio item unchecks the other radio items of its group under the same parent.
    void SetChecked(bool v);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool v);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v);
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool v) { autoCheck_ = v; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& v) { hint_ = v; }
    bool IsLine() const { return caption_ == "-"; }

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    void Delete(int index);
    // Frees every sub-item.
    void Clear();
    int IndexOf(const TMenuItem* item) const;
    // The sub-item of that caption, ignoring accelerators and case; null when none.
    TMenuItem* Find(const std::string& caption) const;
    // The menu this item belongs to, or null.
    TMenu* GetParentMenu() const;

    // Runs OnClick (toggling Checked first when AutoCheck is set); disabled items do nothing.
    virtual void Click();
    TNotifyEvent OnClick;

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;

private:
    // Builds the Qt action (and sub-menu) of the item; the menu owns what is built.
    QAction* BuildAction(QWidget* parentWidget);

    friend class TMenu;
    friend class TMainMenu;
    friend class TPopupMenu;
    void Changed();
    void TurnSiblingsOff();

    std::string caption_;
    TShortCut shortCut_ = 0;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    bool radioItem_ = false;
    int groupIndex_ = 0;
    bool autoCheck_ = false;
    std::string hint_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;
    std::vector<TMenuItem*> items_;
};

class TMenu : public TComponent {
    Q4_CLASS(TMenu, TComponent)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The root of the tree: its sub-items are the menu's items.
    TMenuItem* Items() const { return items_.get(); }
    // Finds an enabled, visible item with that shortcut and clicks it.
    bool IsShortCut(TKeyCode key, TShiftState shift);
    TMenuItem* FindItemByShortCut(TShortCut shortCut) const;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    // Told by items when anything changed; the Qt side is rebuilt.
    virtual void MenuChanged();
    TNotifyEvent OnChange;

private:
    std::unique_ptr<TMenuItem> items_;
};

class TMainMenu : public TMenu {
    Q4_CLASS(TMainMenu, TMenu)
public:
    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
    void MenuChanged() override;

private:
    friend class TCustomForm;
    // Fills the form's menu bar with the items.
    void PopulateBar(QMenuBar* bar);
};

Q4_ENUM(TPopupAlignment, paLeft, paRight, paCenter);

class TPopupMenu : public TMenu {
    Q4_CLASS(TPopupMenu, TMenu)
public:
    explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}
    static void DeclareProperties(TPropertyList& p);

    // Shows the menu at a screen point and waits until it closes (or asks the popup hook).
    virtual void Popup(int x, int y);
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* c) { popupComponent_ = c; }
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool v) { autoPopup_ = v; }
    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment v) { alignment_ = v; }
    TNotifyEvent OnPopup;

private:
    TComponent* popupComponent_ = nullptr;
    bool autoPopup_ = true;
    TPopupAlignment alignment_ = paLeft;
};

// Chooses the item of a popup menu instead of showing it (null: nothing chosen), so that tests
// never block. Returns the previous hook.
using TPopupMenuHook = std::function<TMenuItem*(TPopupMenu* menu, int x, int y)>;
TPopupMenuHook SetPopupMenuHook(TPopupMenuHook hook);
