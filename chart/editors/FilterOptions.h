#pragma once
// How an image filter's options become controls: the builder interface a filter's options are
// described through (check boxes, colour buttons, drop-down lists of enumerations, number edits
// and scroll bars, each bound to a published property by name), the builder that places them on
// a window, and the option lists of the library's filters (a filter class without one has none).

#include "platform/classes/Component.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TButtonColor;
class TCheckBox;
class TComboBox;
class TControl;
class TPlotFilter;
class TScrollBar;
class TSpinEdit;
class TWinControl;

class IFilterOptionsBuilder {
public:
    virtual ~IFilterOptionsBuilder() = default;
    // onClick runs after the property was written.
    virtual TCheckBox* PlaceCheckBox(const std::string& prop, const std::string& caption,
                                     TNotifyEvent onClick = {}) = 0;
    virtual TButtonColor* PlaceColorButton(const std::string& prop, const std::string& caption) = 0;
    virtual TComboBox* PlaceCombo(const std::string& prop) = 0;
    struct TRange {
        int Min;
        int Max;
    };
    virtual TSpinEdit* PlaceIntegerEdit(const std::string& prop, const std::string& caption,
                                        TRange range) = 0;
    virtual TScrollBar* PlaceScrollBar(const std::string& prop, TRange range) = 0;
};

// "gdTopBottom" -> "Top Bottom": leading lower-case letters go, a blank comes before every later
// capital or non-letter but the last character; nothing left gives the name unchanged.
std::string EnumNameToWords(const std::string& name);

// Places controls one under the other on a container, each bound to a property of the edited
// filter; a change writes the property, runs the control's own callback, then OnChange.
class TFormCreator : public IFilterOptionsBuilder {
public:
    explicit TFormCreator(TWinControl* container);
    ~TFormCreator() override;

    TCheckBox* PlaceCheckBox(const std::string& prop, const std::string& caption,
                             TNotifyEvent onClick = {}) override;
    TButtonColor* PlaceColorButton(const std::string& prop, const std::string& caption) override;
    TComboBox* PlaceCombo(const std::string& prop) override;
    TSpinEdit* PlaceIntegerEdit(const std::string& prop, const std::string& caption,
                                TRange range) override;
    TScrollBar* PlaceScrollBar(const std::string& prop, TRange range) override;

    // Frees the controls placed so far and starts again at the top for filter.
    void Start(TPlotFilter* filter);
    int ControlCount() const { return static_cast<int>(placed_.size()); }
    TPlotFilter* EditedObject() const { return edited_; }

    std::function<void(TPlotFilter*)> OnChange;

private:
    template <class T> T* Place(int left, int width);
    void Write(const std::string& prop, const std::string& value, const TNotifyEvent& after,
               TObject* sender);

    TWinControl* container_;
    TPlotFilter* edited_ = nullptr;
    int nextTop_ = 8;
    bool updating_ = false;
    std::vector<TControl*> placed_;
};

// The filter's option controls; onChange is what every change runs after writing.
void BuildFilterOptions(TPlotFilter* filter, IFilterOptionsBuilder& builder);
// Whether the filter works on a region of the picture.
bool FilterAllowsRegion(const TPlotFilter* filter);
// The name a filter class shows in lists and menus (its class name when it has none).
std::string FilterCaption(TClass filterClass);

using TFilterOptions = std::function<void(TPlotFilter*, IFilterOptionsBuilder&)>;
// Options of a filter class (and of its descendants without their own).
void RegisterFilterOptions(TClass filterClass, TFilterOptions options);
