#include "spreadsheet/formulas/ExternalNames.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "spreadsheet/core/XLSUtils.h"
#include "spreadsheet/formulas/Ptg.h"
#include "spreadsheet/formulas/PtgLayout.h"

std::string StoredText(std::u16string_view text) {
    return WideToFlagged(text);
}

std::u16string StoredTextValue(std::string_view stored) {
    return FlaggedAnsiToWide(stored);
}

namespace {

// The code units of a stored text after its flag byte.
std::u16string StoredUnits(const std::string& stored) {
    std::u16string units;
    if (stored.empty())
        return units;
    const bool wide = stored[0] == 1;
    for (size_t i = 1; i < stored.size(); i += wide ? 2 : 1) {
        if (wide && i + 1 >= stored.size())
            break;
        units += wide ? static_cast<char16_t>(static_cast<uint8_t>(stored[i]) |
                                              static_cast<uint8_t>(stored[i + 1]) << 8)
                      : static_cast<char16_t>(Cp1251ToCodePoint(static_cast<uint8_t>(stored[i])));
    }
    return units;
}

std::u16string DecodeFileName(const TSupBook& book, bool forText) {
    std::u16string units = StoredUnits(book.Filename);
    const size_t bytes = book.Filename.size();
    if (bytes >= 3 && !units.empty() && units[0] <= 2)
        units.erase(0, 1);
    std::u16string out;
    const bool sheets = !book.Sheets.empty();
    bool closed = false;
    for (size_t i = 0; i < units.size(); ++i) {
        const char16_t c = units[i];
        if (c == 1 && i + 1 < units.size()) {
            const char16_t next = units[++i];
            if (next == u'@')
                out += u"\\\\";
            else
                out = std::u16string{next, u':', u'\\'} + out;
        } else if (c == 2 || c == 3) {
            if (forText) {
                out += sheets ? u"\\[" : u"|";
                closed = true;
            } else {
                out += u"\\";
            }
        } else if (c == 4) {
            out += u"..\\";
        } else if (c >= 5 && c <= 8) {
        } else {
            out += c;
        }
    }
    if (closed)
        out += sheets ? u"]" : u"!";
    return out;
}

std::u16string Upper(std::u16string_view s) {
    return UpperText(s);
}

} // namespace

std::u16string TSupBook::FileName() const {
    return DecodeFileName(*this, false);
}

std::u16string TSupBook::FileNameText() const {
    return DecodeFileName(*this, true);
}

TSupBook* TSupBookList::AddSupBook(std::u16string_view dir, std::u16string_view file,
                                   std::u16string_view sheetName) {
    auto book = std::make_unique<TSupBook>();
    book->TabCount = 1;
    std::u16string path(dir);
    if (!path.empty() && path.back() == u'\\')
        path.pop_back();
    path += u'\x03';
    path += file;
    book->Filename = StoredText(path);
    book->Sheets.push_back({StoredText(sheetName), {}});
    items_.push_back(std::move(book));
    return items_.back().get();
}

TSupBook* TSupBookList::AddInternalBook(int sheetCount) {
    auto book = std::make_unique<TSupBook>();
    book->Encoded = TSupBook::kInternal;
    book->TabCount = sheetCount;
    items_.push_back(std::move(book));
    return items_.back().get();
}

TExternalSeek::TExternalSeek() : SST(Fonts) {}

TExternalNames::TExternalNames() : ExtSeek(std::make_unique<TExternalSeek>()) {}

TExternalNames::~TExternalNames() = default;

const TSupBook* TExternalNames::BookOf(int extSheetIndex) const {
    if (extSheetIndex < 0 || extSheetIndex >= static_cast<int>(ExtSheets.size()))
        return nullptr;
    const int book = ExtSheets[static_cast<size_t>(extSheetIndex)].Book;
    return book >= 0 && book < SupBooks.Count() ? SupBooks.Items(book) : nullptr;
}

bool TExternalNames::FindExternName(std::u16string_view fileDir, std::u16string_view fileName,
                                    int& nameIndex, int& extSheetIndex,
                                    std::u16string_view name) const {
    const std::u16string file = Upper(std::u16string(fileDir) + std::u16string(fileName));
    for (int i = 0; i < static_cast<int>(ExtSheets.size()); ++i) {
        const TSupBook* book = BookOf(i);
        if (!book || book->IsInternal() || Upper(book->FileName()) != file)
            continue;
        for (size_t n = 0; n < book->ExtNames.size(); ++n)
            if (Upper(StoredTextValue(book->ExtNames[n]->Name)) == Upper(name)) {
                nameIndex = static_cast<int>(n);
                extSheetIndex = i;
                return true;
            }
    }
    return false;
}

bool TExternalNames::FindExternSheet(std::u16string_view fileDir, std::u16string_view fileName,
                                     int& sheetIndex, int& extSheetIndex,
                                     std::u16string_view sheetName) const {
    const std::u16string file = Upper(std::u16string(fileDir) + std::u16string(fileName));
    for (int i = 0; i < static_cast<int>(ExtSheets.size()); ++i) {
        const TSupBook* book = BookOf(i);
        if (!book || book->IsInternal() || Upper(book->FileName()) != file)
            continue;
        const size_t first = ExtSheets[static_cast<size_t>(i)].FirstSheet;
        if (first < book->Sheets.size() &&
            Upper(StoredTextValue(book->Sheets[first].Name)) == Upper(sheetName)) {
            sheetIndex = static_cast<int>(first);
            extSheetIndex = i;
            return true;
        }
    }
    sheetIndex = -1;
    return false;
}

void TExternalNames::AddExternSheet(std::u16string_view fileDir, std::u16string_view fileName,
                                    int& bookIndex, int& extSheetIndex,
                                    std::u16string_view sheetName) {
    int sheet;
    if (FindExternSheet(fileDir, fileName, sheet, extSheetIndex, sheetName)) {
        bookIndex = ExtSheets[static_cast<size_t>(extSheetIndex)].Book;
        return;
    }
    SupBooks.AddSupBook(fileDir, fileName, sheetName);
    bookIndex = SupBooks.Count() - 1;
    ExtSheets.push_back({bookIndex, 0, 0});
    extSheetIndex = static_cast<int>(ExtSheets.size()) - 1;
}

int TExternalNames::GetInternalExtSheet(int sheet, int sheetCount) {
    int internal = -1;
    for (int b = 0; b < SupBooks.Count() && internal < 0; ++b)
        if (SupBooks.Items(b)->IsInternal())
            internal = b;
    for (int i = 0; i < static_cast<int>(ExtSheets.size()); ++i) {
        const TExtSheet& e = ExtSheets[static_cast<size_t>(i)];
        if (e.Book == internal && internal >= 0 && sheet >= e.FirstSheet && sheet <= e.LastSheet)
            return i;
    }
    if (internal < 0) {
        SupBooks.AddInternalBook(sheetCount);
        internal = SupBooks.Count() - 1;
    }
    ExtSheets.push_back({internal, static_cast<uint16_t>(sheet), static_cast<uint16_t>(sheet)});
    return static_cast<int>(ExtSheets.size()) - 1;
}

int TExternalNames::ExtSheetToSheet(int extSheetIndex) const {
    const TSupBook* book = BookOf(extSheetIndex);
    if (!book || !book->IsInternal())
        return -1;
    return ExtSheets[static_cast<size_t>(extSheetIndex)].FirstSheet;
}

std::u16string TExternalNames::ExternText(int extSheetIndex, int nameIndex) const {
    const TSupBook* book = BookOf(extSheetIndex);
    if (!book)
        return u"#REF!";
    if (nameIndex < 0) {
        std::u16string text = u"'" + book->FileNameText();
        const size_t first = ExtSheets[static_cast<size_t>(extSheetIndex)].FirstSheet;
        if (first < 256 && first < book->Sheets.size())
            // A quote inside the name is doubled, so the text reads back.
            text += ReplaceAllText(StoredTextValue(book->Sheets[first].Name), u"'", u"''");
        return text + u"'!";
    }
    std::u16string text = book->FileNameText();
    if (nameIndex >= 1 && nameIndex <= static_cast<int>(book->ExtNames.size()))
        text += StoredTextValue(book->ExtNames[static_cast<size_t>(nameIndex - 1)]->Name);
    return text;
}

namespace {

// The cached value of a cell of `sheet`, from its value block; false when none is cached.
bool CachedValue(const TSupBookSheet& sheet, int row, int col, TFormulaValue& value) {
    for (const TCRN& crn : sheet.CRNs) {
        if (crn.Row != row || col < crn.FirstCol || col > crn.LastCol)
            continue;
        const std::vector<uint8_t>& v = crn.Values;
        const int n = static_cast<int>(v.size());
        int at = 0;
        for (int skip = col - crn.FirstCol; at < n; --skip) {
            const uint8_t type = v[static_cast<size_t>(at)];
            int size = type == 1 ? 9 : type == 4 || type == 16 ? 2 : -1;
            if (type == 2) {
                const int count = ReadWord(v.data(), at + 1, n);
                size = 4 + count * ((at + 3 < n && (v[static_cast<size_t>(at + 3)] & 1)) ? 2 : 1);
            }
            if (size < 0 || at + size > n)
                return false;
            if (skip == 0) {
                switch (type) {
                case 1:
                    SetNumberValue(value, ReadDouble(v.data(), at + 1, n));
                    break;
                case 2: {
                    const std::string stored(v.begin() + at + 3, v.begin() + at + size);
                    SetStringValue(value, StoredTextValue(stored));
                    break;
                }
                case 4:
                    SetBooleanValue(value, v[static_cast<size_t>(at + 1)] != 0);
                    break;
                default: {
                    const int index = ErrorIndexOfCode(v[static_cast<size_t>(at + 1)]);
                    SetErrorValue(value, static_cast<uint8_t>(index < 0 ? errValue : index));
                }
                }
                return true;
            }
            at += size;
        }
        return false;
    }
    return false;
}

} // namespace

void TExternalNames::ExternNameValue(int extSheetIndex, int nameIndex, TFormulaValue& value) const {
    const TSupBook* book = BookOf(extSheetIndex);
    if (!book)
        throw Exception("Extrensheet index out of range.");
    const TExtSheet& entry = ExtSheets[static_cast<size_t>(extSheetIndex)];
    if (entry.FirstSheet <= 255 || entry.LastSheet <= 255)
        throw Exception("Extern name is a reference.");
    if (nameIndex < 1 || nameIndex > static_cast<int>(book->ExtNames.size()))
        throw Exception("Extrensheet index out of range.");
    const TExtName& name = *book->ExtNames[static_cast<size_t>(nameIndex - 1)];
    if (name.Kind() == 1)
        throw Exception("Can not access DDE values.");
    if (name.Kind() == 2)
        throw Exception("Can not access OLE values.");
    const std::vector<uint8_t>& t = name.Tokens;
    if (t.empty() || t[0] != ptgRef3d) {
        SetStringValue(value, StoredTextValue(name.Name));
        return;
    }
    const int n = static_cast<int>(t.size());
    const int sheet = ReadWord(t.data(), 3, n);
    const int row = ReadWord(t.data(), 5, n);
    const int col = ReadWord(t.data(), 7, n) & 0x3FFF;
    if (n < 9 || sheet >= static_cast<int>(book->Sheets.size()) ||
        !CachedValue(book->Sheets[static_cast<size_t>(sheet)], row, col, value))
        SetErrorValue(value, errValue);
}
