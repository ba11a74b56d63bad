#pragma once
// Reading the files of a host data folder for the loader: whole files, the
// rows of a CSV file under its header, and the checks of single values.
// Whatever is wrong is put in the LoadError with the file, the line and the
// field (column or key) that the user has to fix.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/host_files.h"
#include "host/load_error.h"

namespace host {

// Tests: the row-th CSV row stored from now on (1-based) fails as an
// allocation does when the address space is used up; 0 disarms it.
void FailRowStorageAt(std::size_t row);

class FolderReader {
public:
    FolderReader(std::string folder, LoadError& err) : m_folder(std::move(folder)), m_err(err) {}

    // One data line of a CSV file: its checks name the file, the line and
    // the column.
    class Row {
    public:
        Row(FolderReader& reader, const std::string& file, int line, const std::vector<std::string>& columns,
            const std::vector<std::string>& fields)
            : m_reader(reader), m_file(file), m_line(line), m_columns(columns), m_fields(fields) {}

        const std::string& operator[](std::size_t c) const { return m_fields[c]; }
        int Line() const { return m_line; }
        bool Fail(std::size_t c, const std::string& message) const {
            return m_reader.Fail(m_file, m_line, m_columns[c], message);
        }
        bool Text(std::size_t c, std::size_t maxBytes, bool required) const {
            return m_reader.CheckText(m_file, m_line, m_columns[c], m_fields[c], maxBytes, required);
        }
        bool Int(std::size_t c, std::int64_t lo, std::int64_t hi, std::int64_t& out, bool hex = false) const {
            return m_reader.Integer(m_file, m_line, m_columns[c], m_fields[c], lo, hi, out, hex);
        }
        bool Date(std::size_t c, std::int32_t& out) const {
            return m_reader.Date(m_file, m_line, m_columns[c], m_fields[c], out);
        }
        bool Amount(std::size_t c, std::int64_t& out) const;  // an empty field is 0
        // The composite code of the columns account and sub.
        bool Code(std::int32_t& code) const;

    private:
        FolderReader& m_reader;
        const std::string& m_file;
        int m_line;
        const std::vector<std::string>& m_columns;
        const std::vector<std::string>& m_fields;
    };

    const std::string& Folder() const { return m_folder; }
    // Always false, for returning straight from a check.
    bool Fail(const std::string& file, int line, const std::string& field, const std::string& message);
    // The whole file; a missing file and a file saved as UTF-8 fail.
    bool ReadFile(const std::string& name, std::string& content);
    // Well-formed Shift_JIS, no control bytes, at most maxBytes bytes.
    bool CheckText(const std::string& file, int line, const std::string& field, const std::string& value,
                   std::size_t maxBytes, bool required);
    bool Integer(const std::string& file, int line, const std::string& field, const std::string& value,
                 std::int64_t lo, std::int64_t hi, std::int64_t& out, bool allowHex = false);
    bool Date(const std::string& file, int line, const std::string& field, const std::string& value,
              std::int32_t& out);
    // row(Row) for every data line of the CSV file (dataNo names the file of
    // a data set) after a header that names the file's columns.
    bool ForEachRow(const files::CsvFile& kind, std::int32_t dataNo,
                    const std::function<bool(const Row&)>& row);

    // Blank lines and comments (# or ; first) are skipped in every file.
    static bool IsSkippedLine(std::string_view line);
    static std::string Lower(std::string_view s);

private:
    bool NumberText(const std::string& file, int line, const std::string& field, const std::string& value);

    std::string m_folder;
    LoadError& m_err;
};

}  // namespace host
