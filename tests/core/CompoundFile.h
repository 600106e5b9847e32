#pragma once

// Writing hostile .xls files in tests: a compound file (the container of Excel 97 workbooks)
// holding the given streams, as libgsf writes one.

#include <QByteArray>
#include <QString>

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>

#include <map>

namespace vel::test {

inline QByteArray compoundFile(const std::map<QString, QByteArray>& streams)
{
    gsf_init();
    GsfOutput* memory = gsf_output_memory_new();
    GsfOutfile* ole = gsf_outfile_msole_new(memory);
    for (const auto& [name, bytes] : streams) {
        GsfOutput* child = gsf_outfile_new_child(ole, name.toUtf8().constData(), FALSE);
        gsf_output_write(child, static_cast<size_t>(bytes.size()),
                         reinterpret_cast<const guint8*>(bytes.constData()));
        gsf_output_close(child);
        g_object_unref(child);
    }
    gsf_output_close(GSF_OUTPUT(ole));
    g_object_unref(ole);
    const QByteArray out(
        reinterpret_cast<const char*>(gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory))),
        static_cast<qsizetype>(gsf_output_size(memory)));
    g_object_unref(memory);
    return out;
}

}  // namespace vel::test
