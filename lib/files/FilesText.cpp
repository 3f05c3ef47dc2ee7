#include "FilesText.h"

#include "FilesMain.h"
#include "MessageTable.h"

namespace kv::files {

namespace {

struct Message {
    long number;
    const wchar_t* text;
};

constexpr Message kMessages[] = {
    {conErrSizeTooLarge,
     L"Die Datei \"$1$\" ist mit $2$ Bytes zu groß für \"Size\"; ihre Größe liefert \"Size64\"."},
    {conErrSearchRunning,
     L"Die Suche läuft bereits; \"FindFiles\" kann erst nach ihrem Ende erneut aufgerufen werden."},
};

}  // namespace

void RaiseFilesError(long number, const Variant& param1, const Variant& param2) {
    for (const Message& m : kMessages)
        if (m.number == number) throw KVError(number, FillPlaceholders(m.text, param1, param2));
    FilesMain().GenerateError(number, param1, param2);
}

}  // namespace kv::files
