#include "networkdata.h"

#include <cstdint>
#include <vector>

#include "frequencytest.h"
#include "numberscan.h"
#include "portrenormalize.h"
#include "threeport.h"

namespace {

// The numbers of a text region one after the other, whatever stands between them.
class NumberStream {
public:
    NumberStream(const char* p, const char* end)
        : p_(p)
        , end_(end)
    {
    }

    // Reads up to count numbers; returns how many it read.
    size_t read(double* values, size_t count)
    {
        size_t read = 0;
        while (read < count) {
            while (p_ != end_ && !isNumberChar(*p_))
                ++p_;
            if (p_ == end_)
                break;
            const char* next = scanNumber(p_, end_, values[read]);
            if (next == nullptr) {
                ++p_;
                continue;
            }
            p_ = next;
            ++read;
        }
        return read;
    }

private:
    const char* p_;
    const char* end_;
};

// For element (i, j), at index i * ports + j, the index of its pair among a frequency's pairs.
std::vector<size_t> pairIndexes(int ports, TouchstoneMatrix matrix, bool order12_21)
{
    const auto n = static_cast<size_t>(ports);
    std::vector<size_t> index(n * n);
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = 0; j < n; ++j) {
            const size_t low = i < j ? i : j;
            const size_t high = i < j ? j : i;
            if (matrix == MatrixLower)
                index[i * n + j] = high * (high + 1) / 2 + low;
            else if (matrix == MatrixUpper)
                index[i * n + j] = low * n - low * (low - 1) / 2 + (high - low);
            else if (n == 2 && !order12_21)
                index[i * n + j] = j * n + i;
            else
                index[i * n + j] = i * n + j;
        }
    }
    return index;
}

size_t pairCount(int ports, TouchstoneMatrix matrix)
{
    const auto n = static_cast<size_t>(ports);
    return matrix == MatrixFull ? n * n : n * (n + 1) / 2;
}

// One frequency's numbers and how to find element (i, j) among them.
struct FrequencyNumbers {
    std::vector<double> values; // the frequency, then the pairs
    std::vector<size_t> index;
    int ports = 0;

    const double* pair(int i, int j) const
    {
        return values.data() + 1 + 2 * index[static_cast<size_t>(i * ports + j)];
    }

    // The pairs of the view of ports a, b in matrix order: (a,a), (a,b), (b,a), (b,b).
    void view(int a, int b, double out[8]) const
    {
        const double* const pairs[4] = { pair(a, a), pair(a, b), pair(b, a), pair(b, b) };
        for (int e = 0; e < 4; ++e) {
            out[2 * e] = pairs[e][0];
            out[2 * e + 1] = pairs[e][1];
        }
    }
};

// Builds the views of one frequency from its numbers, each port converted from its own reference.
class ViewBuilder {
public:
    explicit ViewBuilder(const TouchstoneText& text)
        : options_(text.options)
        , ports_(text.ports)
    {
        for (double r : text.keywords.references) {
            references_.push_back(needsRenormalize(r) ? r : kSystemResistance);
            convert_ = convert_ || needsRenormalize(r);
        }
        if (references_.empty()) {
            const double r = options_.refResistance;
            references_.assign(static_cast<size_t>(ports_), needsRenormalize(r) ? r : kSystemResistance);
            convert_ = needsRenormalize(r);
        }
        whole_.resize(ports_, ports_);
    }

    void build(const FrequencyNumbers& f, S2PPoint* const* points, std::string& label)
    {
        if (ports_ == 1)
            buildOnePort(f, *points[0]);
        else if (ports_ == 2)
            buildView(f, 0, 1, *points[0]);
        else if (ports_ == 3)
            buildThreePort(f, points, label);
        else
            buildPairs(f, points);
    }

private:
    void buildOnePort(const FrequencyNumbers& f, S2PPoint& point) const
    {
        const double* s11 = f.pair(0, 0);
        const double numbers[8] = { s11[0], s11[1], 0.0, 0.0, 0.0, 0.0, 0.0, 0.0 };
        storePoint(point, f.values[0], options_.dataFormat, options_.freqMultiplier, numbers);
        if (convert_)
            renormalizeReflection(point.sParams, references_[0]);
    }

    void buildView(const FrequencyNumbers& f, int a, int b, S2PPoint& point) const
    {
        double numbers[8];
        f.view(a, b, numbers);
        storePoint(point, f.values[0], options_.dataFormat, options_.freqMultiplier, numbers);
        const double references[2]
            = { references_[static_cast<size_t>(a)], references_[static_cast<size_t>(b)] };
        if (needsRenormalize(references[0]) || needsRenormalize(references[1]))
            renormalizePorts(point.sParams, references);
    }

    void buildThreePort(const FrequencyNumbers& f, S2PPoint* const* points, std::string& label) const
    {
        buildView(f, 0, 1, *points[0]);
        buildView(f, 1, 2, *points[1]);
        buildView(f, 0, 2, *points[2]);
        points[3]->freq = f.values[0] * options_.freqMultiplier;
        points[3]->sParams.resize(2, 2);
        reduceThreePort(*points[0], *points[1], *points[2], *points[3], label);
    }

    void buildPairs(const FrequencyNumbers& f, S2PPoint* const* points)
    {
        for (int i = 0; i < ports_; ++i) {
            for (int j = 0; j < ports_; ++j) {
                const double* p = f.pair(i, j);
                whole_(i, j) = touchstoneValue(p[0], p[1], options_.dataFormat);
            }
        }
        if (convert_)
            renormalizePorts(whole_, references_.data());
        int v = 0;
        for (int a = 0; a < ports_; ++a) {
            for (int b = a + 1; b < ports_; ++b) {
                S2PPoint& point = *points[v++];
                point.freq = f.values[0] * options_.freqMultiplier;
                point.sParams.resize(2, 2);
                point.sParams(0, 0) = whole_(a, a);
                point.sParams(0, 1) = whole_(a, b);
                point.sParams(1, 0) = whole_(b, a);
                point.sParams(1, 1) = whole_(b, b);
            }
        }
    }

    const TouchstoneOptions& options_;
    const int ports_;
    std::vector<double> references_;
    bool convert_ = false;
    ComplexMatrix whole_;
};

} // namespace

LoadResult readNetworkData(const TouchstoneText& text, RubberS2PData* const* views, std::string& label)
{
    const TouchstoneKeywords& k = text.keywords;
    const TouchstoneMatrix matrix = text.version2 ? k.matrix : MatrixFull;
    const bool order12_21 = text.version2 && k.order12_21;
    const int count = touchstoneViewCount(text.ports);

    FrequencyNumbers f;
    f.ports = text.ports;
    f.index = pairIndexes(text.ports, matrix, order12_21);
    f.values.resize(1 + 2 * pairCount(text.ports, matrix));
    ViewBuilder builder(text);
    std::vector<S2PPoint*> points(static_cast<size_t>(count));

    NumberStream stream(text.dataStart, text.dataEnd);
    FrequencyTest frequencies;
    bool outOfMemory = false;
    bool wholeBlock = false; // every number of the block belongs to an accepted point
    int64_t read = 0;
    for (;;) {
        const size_t got = stream.read(f.values.data(), f.values.size());
        if (got < f.values.size()) {
            wholeBlock = got == 0;
            break;
        }
        if (!frequencies.accept(f.values[0], text.options.freqMultiplier))
            break;
        for (int v = 0; v < count; ++v) {
            points[static_cast<size_t>(v)] = views[v]->point(views[v]->itemCount);
            outOfMemory = outOfMemory || points[static_cast<size_t>(v)] == nullptr;
        }
        if (outOfMemory)
            break;
        builder.build(f, points.data(), label);
        ++read;
    }

    if (!outOfMemory && text.version2 && k.frequencies >= 0 && !(wholeBlock && read == k.frequencies)) {
        for (int v = 0; v < count; ++v)
            views[v]->releasePoints();
        return LoadFrequencyCountDiffers;
    }
    if (text.ports == 3)
        return finishThreePortViews(views, outOfMemory, label);
    return finishViews(views, count, outOfMemory);
}
