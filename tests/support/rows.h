// Data-driven tests from a table of structs: addRows names one row after each
// entry's `name` and passes its index; fetchRow gives the current row's entry.
#pragma once

#include <QTest>
#include <cstddef>

template <class Row, std::size_t N>
void addRows(const Row (&rows)[N])
{
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < N; ++i)
        QTest::newRow(rows[i].name) << int(i);
}

template <class Row, std::size_t N>
const Row &fetchRow(const Row (&rows)[N])
{
    return rows[*static_cast<int *>(QTest::qData("row", QMetaType::Int))];
}
