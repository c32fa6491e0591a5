#include "platform/rtl/Streams.h"

#include "platform/rtl/Exception.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int64_t TStream::Size() {
    const int64_t pos = Seek(0, soCurrent);
    const int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(int64_t) {
    throw EStreamError("Stream size cannot be changed");
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
    auto* p = static_cast<char*>(buffer);
    while (count > 0) {
        const int64_t n = Read(p, count);
        if (n <= 0)
            throw EReadError("Stream read error");
        p += n;
        count -= n;
    }
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
    const auto* p = static_cast<const char*>(buffer);
    while (count > 0) {
        const int64_t n = Write(p, count);
        if (n <= 0)
            throw EWriteError("Stream write error");
        p += n;
        count -= n;
    }
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    char buffer[65536];
    int64_t copied = 0;
    while (copied < count) {
        const int64_t n = std::min<int64_t>(sizeof buffer, count - copied);
        source.ReadBuffer(buffer, n);
        WriteBuffer(buffer, n);
        copied += n;
    }
    return copied;
}

std::string TStream::ReadBytes(int64_t count) {
    std::string r(static_cast<size_t>(std::max<int64_t>(count, 0)), '\0');
    ReadBuffer(r.data(), static_cast<int64_t>(r.size()));
    return r;
}

std::string TStream::ReadToEnd() {
    const int64_t left = std::max<int64_t>(Size() - Position(), 0);
    return ReadBytes(left);
}

// --- TFileStream ---------------------------------------------------------------------------------

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : fileName_(fileName) {
    if ((mode & 0xFF00) == fmCreate) {
        fd_ = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd_ < 0)
            throw EFCreateError("Cannot create file \"" + fileName + "\". " + std::strerror(errno));
        return;
    }
    int flags = O_CLOEXEC;
    switch (mode & 3) {
    case fmOpenWrite:
        flags |= O_WRONLY;
        break;
    case fmOpenReadWrite:
        flags |= O_RDWR;
        break;
    default:
        flags |= O_RDONLY;
    }
    fd_ = ::open(fileName.c_str(), flags);
    if (fd_ >= 0) {
        struct stat st {};
        if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(fd_);
            fd_ = -1;
            errno = EISDIR;
        }
    }
    if (fd_ < 0)
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + std::strerror(errno));
}

TFileStream::~TFileStream() {
    if (fd_ >= 0)
        ::close(fd_);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
    if (count <= 0)
        return 0;
    ssize_t n;
    do
        n = ::read(fd_, buffer, static_cast<size_t>(count));
    while (n < 0 && errno == EINTR);
    return n < 0 ? 0 : n;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
    if (count <= 0)
        return 0;
    ssize_t n;
    do
        n = ::write(fd_, buffer, static_cast<size_t>(count));
    while (n < 0 && errno == EINTR);
    return n < 0 ? 0 : n;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
    const off_t r = ::lseek(fd_, offset, whence);
    if (r < 0)
        throw EStreamError("Cannot seek in file \"" + fileName_ + "\". " + std::strerror(errno));
    return r;
}

void TFileStream::SetSize(int64_t size) {
    if (::ftruncate(fd_, size) != 0)
        throw EStreamError("Cannot change the size of file \"" + fileName_ + "\". " +
                           std::strerror(errno));
    if (Position() > size)
        Seek(size, soBeginning);
}

void TFileStream::Flush() {
    if (::fsync(fd_) != 0)
        throw EWriteError("Cannot write file \"" + fileName_ + "\". " + std::strerror(errno));
}

// --- TMemoryStream -------------------------------------------------------------------------------

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    const int64_t n = std::clamp<int64_t>(Size() - position_, 0, std::max<int64_t>(count, 0));
    if (n > 0)
        std::memcpy(buffer, data_.data() + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0)
        return 0;
    if (position_ + count > Size())
        data_.resize(static_cast<size_t>(position_ + count));
    std::memcpy(data_.data() + position_, buffer, static_cast<size_t>(count));
    position_ += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : Size();
    if (base + offset < 0)
        throw EStreamError("Seek before the start of the stream");
    position_ = base + offset; // beyond the end is allowed; a write there fills with zeros
    return position_;
}

void TMemoryStream::SetSize(int64_t size) {
    if (size < 0)
        throw EStreamError("Invalid stream size");
    data_.resize(static_cast<size_t>(size));
    if (position_ > size)
        position_ = size;
}

void TMemoryStream::Clear() {
    data_.clear();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
    stream.SetPosition(0);
    const int64_t size = stream.Size();
    std::vector<uint8_t> data(static_cast<size_t>(size));
    if (size > 0)
        stream.ReadBuffer(data.data(), size);
    data_ = std::move(data);
    position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& stream) {
    if (!data_.empty())
        stream.WriteBuffer(data_.data(), Size());
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

// --- TStringStream -------------------------------------------------------------------------------

TStringStream::TStringStream(std::string_view data) {
    data_.assign(data.begin(), data.end());
}

std::string TStringStream::DataString() const {
    return std::string(reinterpret_cast<const char*>(data_.data()), data_.size());
}

std::string TStringStream::ReadString(int64_t count) {
    std::string r(static_cast<size_t>(std::max<int64_t>(count, 0)), '\0');
    r.resize(static_cast<size_t>(Read(r.data(), static_cast<int64_t>(r.size()))));
    return r;
}
