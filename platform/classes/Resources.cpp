#include "platform/classes/Resources.h"

#include <QFile>
#include <QString>

#include <cctype>

namespace {

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

std::string ResourcePath(std::string_view name, std::string_view type) {
    return ":/q4/" + Upper(type) + "/" + Upper(name);
}

bool FindResource(std::string_view name, std::string_view type) {
    return QFile::exists(QString::fromStdString(ResourcePath(name, type)));
}

std::string LoadResourceBytes(std::string_view name, std::string_view type) {
    QFile file(QString::fromStdString(ResourcePath(name, type)));
    if (!file.open(QIODevice::ReadOnly))
        throw EResNotFound("Resource " + std::string(name) + " not found");
    QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

TResourceStream::TResourceStream(std::string_view name, std::string_view type) {
    std::string bytes = LoadResourceBytes(name, type);
    data_.assign(bytes.begin(), bytes.end());
    position_ = 0;
}
