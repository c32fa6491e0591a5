#pragma once
// Status bars and their panels, painted by the control itself.

#include "platform/classes/Collection.h"
#include "platform/forms/Controls.h"
#include "platform/stdctrls/ControlTypes.h"

#include <functional>
#include <memory>
#include <string>

Q4_ENUM(TStatusPanelBevel, pbNone, pbLowered, pbRaised);

class TStatusPanel : public TCollectionItem {
    Q4_CLASS(TStatusPanel, TCollectionItem)
public:
    explicit TStatusPanel(TCollection* c) : TCollectionItem(c) {}
    static void DeclareProperties(TPropertyList& p);
    const std::string& Text() const { return text_; }
    void SetText(const std::string& v);
    int Width() const { return width_; }
    void SetWidth(int v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel v);
    std::string DisplayName() const override { return text_.empty() ? ClassName() : text_; }

private:
    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    TStatusPanelBevel bevel_ = pbLowered;
};

class TStatusPanels : public TCollection {
    Q4_CLASS(TStatusPanels, TCollection)
public:
    explicit TStatusPanels(TPersistent* owner = nullptr)
        : TCollection(TStatusPanel::StaticClass(), owner) {}
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    TStatusPanel* Items(int i) const { return static_cast<TStatusPanel*>(TCollection::Items(i)); }
    std::function<void()> OnUpdate;

protected:
    void Update(TCollectionItem*) override {
        if (OnUpdate)
            OnUpdate();
    }
};

// Panels side by side (the last one takes the rest), or one simple text.
class TStatusBar : public TCustomControl {
    Q4_CLASS(TStatusBar, TCustomControl)
public:
    explicit TStatusBar(TComponent* owner);
    ~TStatusBar() override;
    static void DeclareProperties(TPropertyList& p);
    TStatusPanels* Panels() const { return panels_.get(); }
    void SetPanels(TStatusPanels* v) { panels_->Assign(v); }
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool v);
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& v);
    // The area of panel i in the bar's client coordinates.
    TRect PanelRect(int index) const;

protected:
    void Paint() override;

private:
    std::unique_ptr<TStatusPanels> panels_;
    bool simplePanel_ = false;
    std::string simpleText_;
};
