// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/bench_figures.h"

#include <QFile>
#include <algorithm>
#include <cstdio>

namespace pellomar::bench {

namespace {

qint64 statusField(const QByteArray &name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    // The file reports size 0: read it whole rather than line by line until atEnd().
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(name + ':'))
            return line.mid(name.size() + 1).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return -1;
}

// Labels and units are ours, but a tab or line break in one would shift the table's columns.
QByteArray cell(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace('\t', ' ').replace('\n', ' ');
    return bytes;
}

} // namespace

double Samples::median() const
{
    if (m_values.empty())
        return 0;
    std::vector<double> sorted = m_values;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t mid = sorted.size() / 2;
    return sorted.size() % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
}

double Samples::min() const
{
    return m_values.empty() ? 0 : *std::min_element(m_values.begin(), m_values.end());
}

double Samples::max() const
{
    return m_values.empty() ? 0 : *std::max_element(m_values.begin(), m_values.end());
}

void report(const Figure &figure, const Samples &samples)
{
    std::printf("FIGURE\t%s\t%s\t%.4g\t%.4g\t%.4g\t%s\t%s\t%s\n", cell(figure.key).constData(),
        cell(figure.label).constData(), samples.median(), samples.min(), samples.max(),
        cell(figure.unit).constData(), cell(figure.budget).constData(),
        cell(figure.anchor).constData());
    std::fflush(stdout);
}

void report(const Figure &figure, double value)
{
    Samples once;
    once.add(value);
    report(figure, once);
}

qint64 residentBytes()
{
    return statusField("VmRSS");
}

qint64 peakResidentBytes()
{
    return statusField("VmHWM");
}

void resetPeakResident()
{
    // Writing 5 makes the kernel forget the high-water mark so far.
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

} // namespace pellomar::bench
