#include "HelpCommands.h"

#include "CliSupport.h"
#include "help/HelpDocuments.h"

namespace vel::cli {

int printHelp(const QString& id)
{
    if (id.isEmpty()) {
        for (const help::Document& d : help::documents())
            out(d.id + u'\t' + d.title);
        return 0;
    }
    QString text = help::markdown(id);
    if (!text.endsWith(u'\n'))
        text += u'\n';
    write(text);
    return 0;
}

}  // namespace vel::cli
