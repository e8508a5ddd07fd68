#include "csvreader.h"

#include <cmath>

#include "numberscan.h"
#include "textencoding.h"

namespace {

bool startsWithBom(const char* b, size_t length)
{
    return length >= 3 && static_cast<unsigned char>(b[0]) == 0xEF && static_cast<unsigned char>(b[1]) == 0xBB
        && static_cast<unsigned char>(b[2]) == 0xBF;
}

// Drops a leading byte-order mark and turns every line end (CR LF, LF or CR) into one NUL;
// a NUL follows the result. Returns the length of the result.
size_t splitLines(char* b, size_t length)
{
    size_t out = 0;
    for (size_t i = startsWithBom(b, length) ? 3 : 0; i < length; ++i) {
        char c = b[i];
        if (c == '\r') {
            c = 0;
            if (i + 1 < length && b[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            c = 0;
        }
        b[out++] = c;
    }
    b[out] = 0;
    return out;
}

bool contains(const std::string& text, const char* word)
{
    return text.find(word) != std::string::npos;
}

// Hertz per unit of the frequency column, from the unit word anywhere in the header's first
// field, in either encoding and any letter case.
double frequencyMultiplier(const std::string& field)
{
    const std::string unit = upperCaseUtf8(decodeFileText(field, field.size() == kMaxCsvFieldLength));
    if (contains(unit, "КГЦ") || contains(unit, "KHZ"))
        return 1e3;
    if (contains(unit, "МГЦ") || contains(unit, "MHZ"))
        return 1e6;
    if (contains(unit, "ГГЦ") || contains(unit, "GHZ"))
        return 1e9;
    return 1.0;
}

// The number a field begins with, a decimal comma taken as point; 0 when there is none.
double fieldNumber(std::string field)
{
    for (char& c : field) {
        if (c == ',')
            c = '.';
    }
    double value = 0.0;
    scanNumber(field.data(), field.data() + field.size(), value);
    return value;
}

std::string fieldText(const std::string& field)
{
    return decodeFileText(field, field.size() == kMaxCsvFieldLength);
}

// The tables of one file as its rows come in; every measurement it makes is appended at the end
// of the list, from index first on.
class CsvTables {
public:
    CsvTables(RubberS2P& list, const std::string& path)
        : list_(list)
        , path_(path)
        , first_(list.itemCount)
    {
    }

    bool aborted() const { return abort_; }
    LoadResult result() const { return tooMany_ ? LoadTooManyMeasurements : LoadSuccess; }

    void readRow(const std::vector<std::string>& fields)
    {
        if (fields.empty() || fields[0].empty()) {
            state_ = Expect::Title;
            return;
        }
        switch (state_) {
        case Expect::Title:
            startTable(fields[0]);
            break;
        case Expect::Header:
            readHeader(fields);
            break;
        case Expect::Data:
            if (isNumberChar(fields[0][0]))
                readData(fields);
            else
                startTable(fields[0]);
            break;
        }
    }

    // Marks the measurements of a sound file valid, or removes every one of them. The file's
    // path goes with its first measurement that has points, which outlasts the removal of
    // empty ones (a table without data rows).
    void finish()
    {
        if (list_.itemCount <= first_)
            return;
        if (abort_) {
            for (int32_t i = list_.itemCount - 1; i >= first_; --i)
                list_.removeMeasurement(i);
            return;
        }
        bool pathGiven = false;
        for (int32_t i = first_; i < list_.itemCount; ++i) {
            RubberS2PData* m = list_.measurement(i);
            if (m == nullptr)
                continue;
            m->dataValid = 1;
            m->updateFreqSummary();
            const bool first = !pathGiven && m->itemCount > 0;
            m->sourcePath = first ? path_ : std::string();
            pathGiven = pathGiven || first;
        }
        RubberS2PData* first = list_.measurement(first_);
        if (!pathGiven && first != nullptr)
            first->sourcePath = path_;
    }

private:
    enum class Expect { Title, Header, Data };

    void startTable(const std::string& title)
    {
        tableStart_ = list_.itemCount;
        title_ = fieldText(title);
        state_ = Expect::Header;
    }

    void readHeader(const std::vector<std::string>& fields)
    {
        multiplier_ = frequencyMultiplier(fields[0]);
        made_ = 0;
        for (size_t i = 1; i < fields.size() && !fields[i].empty(); ++i) {
            // The bound comes before the measurement is made.
            if (tableStart_ + made_ - first_ >= maxListMeasurements) {
                tooMany_ = abort_ = true;
                return;
            }
            RubberS2PData* m = list_.measurement(tableStart_ + made_);
            if (m == nullptr) {
                abort_ = true;
                return;
            }
            m->fullName = path_;
            m->displayName = fieldText(fields[i]) + " " + title_;
            ++made_;
        }
        if (made_ == 0)
            abort_ = true;
        state_ = Expect::Data;
    }

    void readData(const std::vector<std::string>& fields)
    {
        const double freq = fieldNumber(fields[0]) * multiplier_;
        if (fields.size() < static_cast<size_t>(made_) + 1) {
            abort_ = true;
            return;
        }
        RubberS2PData* firstColumn = list_.measurement(tableStart_);
        if (firstColumn == nullptr) {
            abort_ = true;
            return;
        }
        // A frequency that is not finite fails as one that does not increase.
        if (!std::isfinite(freq)
            || (firstColumn->itemCount > 0
                && !(firstColumn->point(firstColumn->itemCount - 1)->freq < freq))) {
            abort_ = true;
            return;
        }
        for (int32_t j = 1; j <= made_; ++j) {
            RubberS2PData* m = list_.measurement(tableStart_ + j - 1);
            S2PPoint* point = m == nullptr ? nullptr : m->point(m->itemCount);
            if (point == nullptr) {
                abort_ = true;
                return;
            }
            point->sParams(1, 0) = Complex(std::pow(10.0, fieldNumber(fields[j]) / 20.0), 0.0);
            point->freq = freq;
        }
    }

    RubberS2P& list_;
    const std::string& path_;
    const int32_t first_;
    Expect state_ = Expect::Title;
    int32_t tableStart_ = 0;
    int32_t made_ = 0;
    std::string title_;
    double multiplier_ = 1.0;
    bool abort_ = false;
    bool tooMany_ = false;
};

} // namespace

int splitRow(size_t& position, std::vector<std::string>& fields, const char* text, size_t length)
{
    fields.clear();
    if (position >= length)
        return 0;
    std::string field;
    while (true) {
        const char c = position < length ? text[position] : 0;
        if (c == ';' || c == '\t' || c == 0) {
            fields.push_back(field);
            field.clear();
            if (c == 0)
                return static_cast<int>(fields.size());
        } else if (field.size() < kMaxCsvFieldLength) {
            field += c;
        }
        ++position;
    }
}

LoadResult readCsv(RubberS2P& list, char* buffer, size_t length, const std::string& path)
{
    const size_t textLength = splitLines(buffer, length);
    CsvTables tables(list, path);
    std::vector<std::string> fields;
    for (size_t position = 0; !tables.aborted() && position < textLength; ++position) {
        splitRow(position, fields, buffer, textLength);
        tables.readRow(fields);
    }
    tables.finish();
    return tables.result();
}
