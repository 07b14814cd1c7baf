// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QElapsedTimer>
#include <QString>
#include <cstddef>
#include <vector>

// Every benchmark reports its figures as lines that scripts/bench.sh gathers into one table:
//   FIGURE <tab> key <tab> label <tab> median <tab> min <tab> max <tab> unit <tab> budget <tab>
//   anchor
// `anchor` is the key of the figure this one is compared with (its ratio in the table);
// `budget` lists the limits the figure must keep, separated by commas: "<40" under 40 units,
// ">2000" over 2000 units, "x1.5" at most 1.5 times its anchor, "+4" at most 4 units above its
// anchor.
namespace pellomar::bench {

class Samples {
public:
    void add(double value) { m_values.push_back(value); }
    bool empty() const { return m_values.empty(); }
    std::size_t size() const { return m_values.size(); }
    double median() const;
    double min() const;
    double max() const;

private:
    std::vector<double> m_values;
};

struct Figure {
    QString key;
    QString label;
    QString unit;
    QString budget; // "" for a figure shown for comparison only
    QString anchor; // "" for none
};

void report(const Figure &figure, const Samples &samples);
// A figure measured once: median, min and max are the one value.
void report(const Figure &figure, double value);

// Milliseconds `work` takes, `runs` times, after `warmUp` rounds that are not kept.
template<typename Work> Samples timeMs(int runs, Work work, int warmUp = 1)
{
    Samples samples;
    for (int i = -warmUp; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        if (i >= 0)
            samples.add(double(clock.nsecsElapsed()) / 1e6);
    }
    return samples;
}

// The resident memory of this process and its high-water mark, in bytes (-1 when unknown).
qint64 residentBytes();
qint64 peakResidentBytes();
// Starts a new high-water mark at the memory resident now.
void resetPeakResident();

constexpr double MiB = 1024.0 * 1024.0;

} // namespace pellomar::bench
