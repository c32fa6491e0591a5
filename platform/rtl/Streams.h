#pragma once
// Byte streams: the abstract TStream and its file, memory and string forms.

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;

    // Read and Write move up to `count` bytes and return how many moved.
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Returns the new position. Seeking before the start raises EStreamError.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t pos) { Seek(pos, soBeginning); }
    virtual int64_t Size();
    virtual void SetSize(int64_t size);

    // All or nothing: EReadError "Stream read error" / EWriteError "Stream write error".
    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);
    // Copies `count` bytes from `source`'s position; 0 copies the whole of `source` from its
    // start. Returns the number copied.
    int64_t CopyFrom(TStream& source, int64_t count);

    // Little-endian values.
    template <typename T>
    requires std::is_arithmetic_v<T> T ReadValue() {
        T v{};
        ReadBuffer(&v, sizeof v);
        return v;
    }
    template <typename T>
    requires std::is_arithmetic_v<T>
    void WriteValue(T v) { WriteBuffer(&v, sizeof v); }
    // Bytes as they are.
    std::string ReadBytes(int64_t count);
    void WriteBytes(std::string_view bytes) {
        WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    }
    // Everything from the position to the end.
    std::string ReadToEnd();
};

// File open modes; the share flags are accepted and ignored.
enum : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,
};

// A file. fmCreate creates or truncates it (for writing and reading). Errors: EFCreateError
// 'Cannot create file "<name>". <reason>', EFOpenError 'Cannot open file "<name>". <reason>'.
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, unsigned mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t size) override;
    const std::string& FileName() const { return fileName_; }
    int Handle() const { return fd_; }
    // Forces written data to the disk.
    void Flush();

private:
    std::string fileName_;
    int fd_ = -1;
};

// A stream in memory that grows as it is written.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(data_.size()); }
    void SetSize(int64_t size) override;

    void Clear();
    uint8_t* Memory() { return data_.data(); }
    const uint8_t* Memory() const { return data_.data(); }
    const std::vector<uint8_t>& Bytes() const { return data_; }

    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);
    void SaveToStream(TStream& stream);
    void SaveToFile(const std::string& fileName);

protected:
    std::vector<uint8_t> data_;
    int64_t position_ = 0;
};

// A memory stream over a string of bytes.
class TStringStream : public TMemoryStream {
public:
    explicit TStringStream(std::string_view data = {});
    std::string DataString() const;
    // Up to `count` bytes from the position.
    std::string ReadString(int64_t count);
    void WriteString(std::string_view s) { WriteBytes(s); }
};
