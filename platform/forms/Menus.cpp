#include "platform/forms/Menus.h"

#include "platform/forms/Forms.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Strings.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <unordered_set>

namespace {
// The items that exist: a Qt action built for an item that has since been freed does nothing.
std::unordered_set<const TMenuItem*>& LiveItems() {
    static std::unordered_set<const TMenuItem*> items;
    return items;
}

TPopupMenuHook& PopupHook() {
    static TPopupMenuHook hook;
    return hook;
}

struct KeyName {
    TKeyCode key;
    const char* name;
};
constexpr KeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},    {VK_ESCAPE, "Esc"}, {VK_RETURN, "Enter"},
    {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},  {VK_END, "End"},
    {VK_HOME, "Home"},   {VK_LEFT, "Left"},  {VK_UP, "Up"},      {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},   {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
};

std::string KeyText(TKeyCode key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key < VK_F1 + 24)
        return "F" + std::to_string(key - VK_F1 + 1);
    for (const KeyName& k : kKeyNames)
        if (k.key == key)
            return k.name;
    return {};
}
} // namespace

TShortCut ShortCut(TKeyCode key, TShiftState shift) {
    if (key & 0xF000)
        return scNone;
    TShortCut s = key;
    if (shift.Contains(ssShift))
        s |= scShift;
    if (shift.Contains(ssCtrl))
        s |= scCtrl;
    if (shift.Contains(ssAlt))
        s |= scAlt;
    return s;
}

void ShortCutToKey(TShortCut sc, TKeyCode& key, TShiftState& shift) {
    key = sc & 0x0FFF;
    shift = {};
    if (sc & scShift)
        shift.Include(ssShift);
    if (sc & scCtrl)
        shift.Include(ssCtrl);
    if (sc & scAlt)
        shift.Include(ssAlt);
}

std::string ShortCutToText(TShortCut sc) {
    std::string name = KeyText(sc & 0x0FFF);
    if (name.empty())
        return {};
    std::string prefix;
    if (sc & scShift)
        prefix += "Shift+";
    if (sc & scCtrl)
        prefix += "Ctrl+";
    if (sc & scAlt)
        prefix += "Alt+";
    return prefix + name;
}

TShortCut TextToShortCut(const std::string& text) {
    TShortCut mods = 0;
    std::string rest = text;
    for (;;) {
        std::string lower = LowerCase(rest);
        if (lower.rfind("shift+", 0) == 0) {
            mods |= scShift;
            rest.erase(0, 6);
        } else if (lower.rfind("ctrl+", 0) == 0) {
            mods |= scCtrl;
            rest.erase(0, 5);
        } else if (lower.rfind("alt+", 0) == 0) {
            mods |= scAlt;
            rest.erase(0, 4);
        } else {
            break;
        }
    }
    for (unsigned k = 1; k < 0x100; ++k) {
        std::string name = KeyText(static_cast<TKeyCode>(k));
        if (!name.empty() && SameText(name, rest))
            return static_cast<TShortCut>(k | mods);
    }
    return scNone;
}

char32_t GetHotkey(const std::string& caption) {
    QList<uint> s = QString::fromStdString(caption).toUcs4();
    for (qsizetype i = 0; i + 1 < s.size(); ++i) {
        if (s[i] != U'&')
            continue;
        if (s[i + 1] == U'&') {
            ++i;
            continue;
        }
        return static_cast<char32_t>(s[i + 1]);
    }
    return 0;
}

std::string StripHotkey(const std::string& caption) {
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    return out;
}

// ---- TMenuItem ----------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {
    LiveItems().insert(this);
}

TMenuItem::~TMenuItem() {
    LiveItems().erase(this);
    while (!items_.empty()) {
        TMenuItem* child = items_.back();
        items_.pop_back();
        child->parent_ = nullptr;
        child->Free();
    }
    if (parent_ != nullptr) {
        std::erase(parent_->items_, this);
        parent_->Changed();
    }
}

void TMenuItem::DeclareProperties(TPropertyList& p) {
    p.Add("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck).Default(false);
    p.Add("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
    p.Add("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(false);
    p.Add("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(true);
    p.Add("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex).Default(0);
    p.Add("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
    p.Add("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem).Default(false);
    p.Add("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut).Default(0);
    p.Add("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(true);
    p.Add("OnClick", &TMenuItem::OnClick);
}

void TMenuItem::SetCaption(const std::string& v) {
    if (v == caption_)
        return;
    caption_ = v;
    Changed();
}

void TMenuItem::SetShortCut(TShortCut v) {
    if (v == shortCut_)
        return;
    shortCut_ = v;
    Changed();
}

void TMenuItem::SetEnabled(bool v) {
    if (v == enabled_)
        return;
    enabled_ = v;
    Changed();
}

void TMenuItem::SetVisible(bool v) {
    if (v == visible_)
        return;
    visible_ = v;
    Changed();
}

void TMenuItem::TurnSiblingsOff() {
    if (parent_ == nullptr || !radioItem_)
        return;
    for (TMenuItem* s : parent_->items_)
        if (s != this && s->radioItem_ && s->groupIndex_ == groupIndex_)
            s->checked_ = false;
}

void TMenuItem::SetChecked(bool v) {
    if (v == checked_)
        return;
    checked_ = v;
    if (v)
        TurnSiblingsOff();
    Changed();
}

void TMenuItem::SetRadioItem(bool v) {
    if (v == radioItem_)
        return;
    radioItem_ = v;
    if (checked_)
        TurnSiblingsOff();
    Changed();
}

void TMenuItem::SetGroupIndex(int v) {
    if (v == groupIndex_)
        return;
    groupIndex_ = v;
    if (checked_)
        TurnSiblingsOff();
    Changed();
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<size_t>(index)];
}

int TMenuItem::MenuIndex() const {
    return parent_ != nullptr ? parent_->IndexOf(this) : -1;
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (item == nullptr)
        return;
    if (item->parent_ != nullptr)
        throw EInvalidOperation("Menu inserted twice");
    for (TMenuItem* p = this; p != nullptr; p = p->parent_)
        if (p == item)
            throw EInvalidOperation("A menu item cannot contain itself");
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    if (item->checked_)
        item->TurnSiblingsOff();
    Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end())
        throw EInvalidOperation("Sub-menu is not in menu");
    items_.erase(it);
    item->parent_ = nullptr;
    Changed();
}

void TMenuItem::Delete(int index) {
    Remove(Items(index));
}

void TMenuItem::Clear() {
    while (!items_.empty())
        items_.back()->Free();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
    std::string want = StripHotkey(caption);
    for (TMenuItem* i : items_)
        if (AnsiSameText(StripHotkey(i->caption_), want))
            return i;
    return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* i = this;
    while (i->parent_ != nullptr)
        i = i->parent_;
    return i->menu_;
}

void TMenuItem::Click() {
    if (!enabled_)
        return;
    if (autoCheck_)
        SetChecked(!checked_ || (radioItem_ && checked_));
    if (OnClick)
        OnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const {
    if (parent_ != nullptr && parent_->menu_ != nullptr)
        return parent_->menu_;
    return parent_;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
    else if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items()->Add(this);
}

void TMenuItem::GetChildren(const TGetChildProc& proc, TComponent*) {
    for (TMenuItem* i : items_)
        proc(i);
}

void TMenuItem::Changed() {
    if (ComponentState().Contains(csDestroying))
        return;
    if (TMenu* m = GetParentMenu(); m != nullptr && !m->ComponentState().Contains(csDestroying))
        m->MenuChanged();
}

QAction* TMenuItem::BuildAction(QWidget* parentWidget) {
    auto* action = new QAction(QString::fromStdString(caption_), parentWidget);
    if (IsLine()) {
        action->setSeparator(true);
        return action;
    }
    action->setEnabled(enabled_);
    action->setVisible(visible_);
    action->setCheckable(checked_ || radioItem_ || autoCheck_);
    action->setChecked(checked_);
    if (shortCut_ != 0) {
        TKeyCode key;
        TShiftState shift;
        ShortCutToKey(shortCut_, key, shift);
        int q = QtKeyFromVirtualKey(key);
        if (shift.Contains(ssShift))
            q |= Qt::SHIFT;
        if (shift.Contains(ssCtrl))
            q |= Qt::CTRL;
        if (shift.Contains(ssAlt))
            q |= Qt::ALT;
        // Shown beside the caption; the form's key handling runs it.
        action->setShortcut(QKeySequence(q));
        action->setShortcutContext(Qt::WidgetShortcut);
    }
    if (!hint_.empty())
        action->setStatusTip(QString::fromStdString(GetLongHint(hint_)));
    if (!items_.empty()) {
        auto* sub = new QMenu(QString::fromStdString(caption_), parentWidget);
        for (TMenuItem* i : items_)
            sub->addAction(i->BuildAction(sub));
        action->setMenu(sub);
    } else {
        QObject::connect(action, &QAction::triggered, action, [this] {
            if (LiveItems().count(this) != 0)
                SafeCall(this, [this] { Click(); });
        });
    }
    return action;
}

// ---- TMenu --------------------------------------------------------------------------------------

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
    items_->menu_ = this;
}

TMenu::~TMenu() {
    Destroying();
    items_.reset();
}

TMenuItem* TMenu::FindItemByShortCut(TShortCut sc) const {
    std::function<TMenuItem*(TMenuItem*)> walk = [&](TMenuItem* item) -> TMenuItem* {
        for (TMenuItem* i : item->items_) {
            if (!i->Visible() || !i->Enabled())
                continue;
            if (i->ShortCut() == sc)
                return i;
            if (TMenuItem* found = walk(i))
                return found;
        }
        return nullptr;
    };
    return sc == scNone ? nullptr : walk(items_.get());
}

bool TMenu::IsShortCut(TKeyCode key, TShiftState shift) {
    TMenuItem* item = FindItemByShortCut(
        ::ShortCut(key, shift - TShiftState{ssLeft, ssRight, ssMiddle, ssDouble}));
    if (item == nullptr)
        return false;
    item->Click();
    return true;
}

void TMenu::GetChildren(const TGetChildProc& proc, TComponent*) {
    for (TMenuItem* i : items_->items_)
        proc(i);
}

void TMenu::MenuChanged() {
    if (OnChange)
        OnChange(this);
}

void TMainMenu::PopulateBar(QMenuBar* bar) {
    bar->clear();
    for (TMenuItem* i : Items()->items_)
        bar->addAction(i->BuildAction(bar));
}

void TMainMenu::MenuChanged() {
    TMenu::MenuChanged();
    for (int i = 0; Screen != nullptr && i < Screen->FormCount(); ++i) {
        TCustomForm* f = Screen->Forms(i);
        if (f->Menu() == this)
            f->MenuItemsChanged();
    }
}

// ---- TPopupMenu ---------------------------------------------------------------------------------

void TPopupMenu::DeclareProperties(TPropertyList& p) {
    p.Add("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment).Default(paLeft);
    p.Add("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(true);
    p.Add("OnPopup", &TPopupMenu::OnPopup);
}

TPopupMenuHook SetPopupMenuHook(TPopupMenuHook hook) {
    TPopupMenuHook old = std::move(PopupHook());
    PopupHook() = std::move(hook);
    return old;
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup)
        OnPopup(this);
    if (PopupHook()) {
        if (TMenuItem* chosen = PopupHook()(this, x, y))
            chosen->Click();
        return;
    }
    QMenu menu;
    for (TMenuItem* i : Items()->items_)
        menu.addAction(i->BuildAction(&menu));
    menu.exec(QPoint(x, y));
}
