#include "ownvalues.h"

#include <atomic>
#include <new>
#include <unordered_map>

#include "gridsampling.h"
#include "ownphase.h"

namespace {

// A number that changes whenever the values of trace kind k in form would.
int64_t formKey(int32_t kind, const ValueForm& form)
{
    if (kind % 2 == 0)
        return (kind == S11M || kind == S22M) && form.dbMode != 1 ? 1 : 0;
    if (form.phaseMode == PhaseUnwrapped)
        return 1;
    if (form.phaseMode == PhaseDelay)
        return 2 + static_cast<int64_t>(form.aperture);
    return 0;
}

} // namespace

void makeOwnValues(RubberS2PData& m, int32_t kind, const ValueForm& form, double* values)
{
    const int32_t count = m.itemCount;
    if (kind % 2 == 0) {
        for (int32_t i = 0; i < count; ++i)
            values[i] = traceValueOf(sParameterOf(measuredPoint(m, i), kind), kind, form.dbMode);
        return;
    }
    std::vector<double> frequencies;
    std::vector<double> scratch;
    if (form.phaseMode == PhaseDelay) {
        frequencies.resize(static_cast<size_t>(count));
        scratch.resize(static_cast<size_t>(count));
        ownFrequencies(m, frequencies.data());
    }
    ownPhaseValues(m, kind, form.phaseMode, form.aperture, frequencies.data(), scratch.data(), values);
}

void OwnValueCache::align(RubberS2P& measurements)
{
    std::unordered_map<uint64_t, size_t> held;
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].serial != 0)
            held.emplace(entries[i].serial, i);
    std::vector<Entry> aligned(static_cast<size_t>(std::max(measurements.itemCount, 0)));
    for (size_t i = 0; i < aligned.size(); ++i) {
        RubberS2PData* m = measurements.measurement(static_cast<int32_t>(i));
        if (m == nullptr)
            continue;
        const auto found = held.find(m->serial);
        if (found != held.end())
            aligned[i] = std::move(entries[found->second]);
        aligned[i].serial = m->serial;
        for (KindValues& k : aligned[i].kinds)
            k.wanted = false;
    }
    entries.swap(aligned);
}

void OwnValueCache::want(int32_t mi, int32_t kind)
{
    if (mi >= 0 && static_cast<size_t>(mi) < entries.size() && kind >= 0 && kind < tracesPerMeasurement)
        entries[static_cast<size_t>(mi)].kinds[static_cast<size_t>(kind)].wanted = true;
}

void OwnValueCache::refresh(Entry& e, RubberS2PData& m, const ValueForm& form)
{
    bool anyWanted = false;
    for (const KindValues& kind : e.kinds)
        anyWanted = anyWanted || kind.wanted;
    if (!anyWanted) {
        std::vector<double>().swap(e.frequencies);
        e.walked = false;
    } else if (!e.walked) {
        if (PointWalk(m).walksAscending()) {
            e.frequencies.resize(static_cast<size_t>(m.itemCount));
            ownFrequencies(m, e.frequencies.data());
        }
        e.walked = true;
    }
    for (int32_t k = 0; k < tracesPerMeasurement; ++k) {
        KindValues& kind = e.kinds[static_cast<size_t>(k)];
        if (!kind.wanted) {
            std::vector<double>().swap(kind.values);
            kind.form = -1;
            continue;
        }
        const int64_t key = formKey(k, form);
        if (kind.form == key && kind.values.size() == static_cast<size_t>(m.itemCount))
            continue;
        kind.form = -1;
        kind.values.resize(static_cast<size_t>(m.itemCount));
        makeOwnValues(m, k, form, kind.values.data());
        kind.form = key;
    }
}

void OwnValueCache::update(RubberS2P& measurements, const ValueForm& form)
{
    const int32_t count = static_cast<int32_t>(entries.size());
    std::atomic<bool> outOfMemory { false };
#pragma omp parallel for schedule(dynamic)
    for (int32_t i = 0; i < count; ++i) {
        RubberS2PData* m = measurements.measurement(i);
        Entry& e = entries[static_cast<size_t>(i)];
        if (m == nullptr || outOfMemory)
            continue;
        try {
            refresh(e, *m, form);
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
        }
    }
    if (outOfMemory) {
        clear();
        throw std::bad_alloc();
    }
}

const double* OwnValueCache::values(int32_t mi, int32_t kind) const
{
    if (mi < 0 || static_cast<size_t>(mi) >= entries.size() || kind < 0 || kind >= tracesPerMeasurement)
        return nullptr;
    const KindValues& k = entries[static_cast<size_t>(mi)].kinds[static_cast<size_t>(kind)];
    return k.wanted && k.form >= 0 ? k.values.data() : nullptr;
}

const double* OwnValueCache::ascendingFrequencies(int32_t mi) const
{
    if (mi < 0 || static_cast<size_t>(mi) >= entries.size())
        return nullptr;
    const std::vector<double>& f = entries[static_cast<size_t>(mi)].frequencies;
    return f.empty() ? nullptr : f.data();
}

void OwnValueCache::clear()
{
    std::vector<Entry>().swap(entries);
}
