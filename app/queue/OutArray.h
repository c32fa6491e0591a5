#pragma once
// The output queue: worker threads put elements, the user-interface thread takes them in the
// order they were put (DrainOutArray). Any number of threads may put; a put never overwrites an
// element that waits. Up to Capacity elements wait; a producer that finds the queue that full
// waits (at most FullWait) for the user interface to take some, then adds its element anyway,
// so that nothing is lost.

#include "app/queue/OutElements.h"
#include "platform/graphics/Color.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

class TOutArray {
public:
    static constexpr size_t Capacity = 1023;
    explicit TOutArray(std::chrono::milliseconds fullWait = std::chrono::seconds(1));
    ~TOutArray();
    TOutArray(const TOutArray&) = delete;
    TOutArray& operator=(const TOutArray&) = delete;

    // With `stamp` the text is preceded by the date and time (short date, long time) and a blank.
    void PutMemoLine(TCustomMemo* memo, const std::string& text, bool stamp, int show);
    void PutControlText(TControl* control, const std::string& text);
    // "-1" for true, "0" for false.
    void PutControlBool(TControl* control, bool value);
    void PutControlInt(TControl* control, int64_t value);
    // Callers pass "true" or "false".
    void PutComponentEnabled(TComponent* component, const std::string& text);
    void PutListRow(TCustomListView* listView, const std::string& caption,
                    std::unique_ptr<TStringList> subItems);
    void PutMessage(const std::string& text);
    void PutStatus(const std::string& text, TStatusPanel* panel);
    // The colour goes as its name ("clBlue" for $FF0000, "clRed" for 255).
    void PutControlColor(TControl* control, TColor color);
    void PutGridCell(TStringGrid* grid, const std::string& text, int row, int col);

    // The kind of the next element, okNone when the queue is empty.
    TOutKind PeekKind() const;
    // The next element and its kind (null and okNone when empty). The element stays valid until
    // the next Take; the one returned before it is freed now.
    TOutKind Take(TOutElement*& element);
    size_t Pending() const;

private:
    void Put(std::unique_ptr<TOutElement> element);

    const std::chrono::milliseconds fullWait_;
    mutable std::mutex mutex_;
    std::condition_variable taken_;
    std::deque<std::unique_ptr<TOutElement>> pending_;
    std::unique_ptr<TOutElement> last_; // returned by the latest Take
};
