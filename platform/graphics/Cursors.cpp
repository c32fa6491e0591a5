#include "platform/graphics/Cursors_p.h"

#include "platform/rtl/Exception.h"

#include <QCursor>
#include <QImage>
#include <QPixmap>

#include <cctype>
#include <map>
#include <mutex>

namespace {

struct CursorEntry {
    TCursor cursor;
    const char* name;
    Qt::CursorShape shape;
};

constexpr CursorEntry kCursors[] = {
    {crDefault, "crDefault", Qt::ArrowCursor},
    {crNone, "crNone", Qt::BlankCursor},
    {crArrow, "crArrow", Qt::ArrowCursor},
    {crCross, "crCross", Qt::CrossCursor},
    {crIBeam, "crIBeam", Qt::IBeamCursor},
    {crSizeNESW, "crSizeNESW", Qt::SizeBDiagCursor},
    {crSizeNS, "crSizeNS", Qt::SizeVerCursor},
    {crSizeNWSE, "crSizeNWSE", Qt::SizeFDiagCursor},
    {crSizeWE, "crSizeWE", Qt::SizeHorCursor},
    {crUpArrow, "crUpArrow", Qt::UpArrowCursor},
    {crHourGlass, "crHourGlass", Qt::WaitCursor},
    {crDrag, "crDrag", Qt::DragCopyCursor},
    {crNoDrop, "crNoDrop", Qt::ForbiddenCursor},
    {crHSplit, "crHSplit", Qt::SplitHCursor},
    {crVSplit, "crVSplit", Qt::SplitVCursor},
    {crMultiDrag, "crMultiDrag", Qt::DragCopyCursor},
    {crSQLWait, "crSQLWait", Qt::BusyCursor},
    {crNo, "crNo", Qt::ForbiddenCursor},
    {crAppStart, "crAppStart", Qt::BusyCursor},
    {crHelp, "crHelp", Qt::WhatsThisCursor},
    {crHandPoint, "crHandPoint", Qt::PointingHandCursor},
    {crSizeAll, "crSizeAll", Qt::SizeAllCursor},
};

struct Custom {
    QImage image;
    int hotX;
    int hotY;
};

std::mutex& CustomLock() {
    static std::mutex lock;
    return lock;
}

std::map<TCursor, Custom>& Customs() {
    static std::map<TCursor, Custom> customs;
    return customs;
}

bool SameName(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return i == a.size() && !b[i];
}

} // namespace

std::string CursorToString(TCursor cursor) {
    for (const auto& e : kCursors) {
        if (e.cursor == cursor)
            return e.name;
    }
    return std::to_string(cursor);
}

TCursor StringToCursor(const std::string& text) {
    for (const auto& e : kCursors) {
        if (SameName(text, e.name))
            return e.cursor;
    }
    try {
        std::size_t used = 0;
        int value = std::stoi(text, &used, 10);
        if (used == text.size())
            return value;
    } catch (const std::exception&) {
    }
    throw EConvertError("'" + text + "' is not a valid integer value");
}

void GetCursorValues(const std::function<void(const std::string&)>& proc) {
    for (const auto& e : kCursors)
        proc(e.name);
}

QCursor CursorOf(TCursor cursor) {
    {
        std::lock_guard guard(CustomLock());
        auto it = Customs().find(cursor);
        if (it != Customs().end())
            return QCursor(QPixmap::fromImage(it->second.image), it->second.hotX, it->second.hotY);
    }
    for (const auto& e : kCursors) {
        if (e.cursor == cursor)
            return QCursor(e.shape);
    }
    return QCursor(Qt::ArrowCursor);
}

void RegisterCursor(TCursor cursor, const QImage& image, int hotX, int hotY) {
    std::lock_guard guard(CustomLock());
    Customs()[cursor] = Custom{image.copy(), hotX, hotY};
}

void UnregisterCursor(TCursor cursor) {
    std::lock_guard guard(CustomLock());
    Customs().erase(cursor);
}
