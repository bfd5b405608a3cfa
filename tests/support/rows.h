// Data-driven tests in few lines. From a table of structs: addRows names one
// row after each entry's `name` and passes its index; fetchRow gives the
// current row's entry. From columns: addColumns declares them in one line and
// fetchColumns gives the current row's values for a structured binding,
//   addColumns<QString, int>("command", "status");
//   const auto [command, status] = fetchColumns<QString, int>("command", "status");
#pragma once

#include <QTest>
#include <cstddef>
#include <initializer_list>
#include <utility>
#include <tuple>

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

// One column, each row named by the first of its pair.
template <class T>
void addNamedRows(const char *column, std::initializer_list<std::pair<const char *, T>> rows)
{
    QTest::addColumn<T>(column);
    for (const auto &[name, value] : rows)
        QTest::newRow(name) << value;
}

template <class... T, class... Name>
void addColumns(Name... names)
{
    (QTest::addColumn<T>(names), ...);
}

template <class... T, class... Name>
std::tuple<T...> fetchColumns(Name... names)
{
    return {*static_cast<T *>(QTest::qData(names, qMetaTypeId<T>()))...};
}
