#include "MessageTable.h"
#include "DecimalText.h"

#include <array>

namespace kv {

namespace {
struct Entry {
    long number;
    const wchar_t* text;
};

constexpr Entry kMessages[] = {
    {-52000, L"Der ermittelte Datentyp wird zum Schreiben/Lesen der Registry nicht unterstützt."},
    {-52001, L"Schlüssel \"$1$\" in der Registry nicht gefunden."},
    {-52002, L"Wert \"$1$\" im Schlüssel \"$2$\" der Registry nicht gefunden."},
    {-52003, L"Wert \"$1$\", Sektion \"$2$\" oder Initialisierungsdatei \"$3$\" zum Lesen nicht gefunden."},
    {-52004, L"Kein Bild zur Anzeige ausgewählt."},
    {-52005, L"'Abbrechen' wurde gewählt."},
    {-52006, L"Registrierungsschlüssel oder Wert mit der Nummer \"$1$\" ist nicht vorhanden."},
    {-52008, L"Programm zum Starten nicht angegeben."},
    {-52009, L"Programm oder Dokument \"$1$\" nicht gefunden."},
    {-52010, L"Um diese Eigenschaft \"Exitcode\" zu verwenden, darf \"WaitMode\" nicht auf \"NoWait\" gesetzt sein."},
    {-52011, L"Fehler beim Starten von \"$1$\"."},
    {-52012, L"Datei \"$1$\" nicht gefunden."},
    {-52013, L"Version oder Anwendungsname wurde in \"clsVersionGlobal\" nicht gesetzt."},
    {-52014, L"\"strName\" nicht gesetzt."},
    {-52015, L"Fehler ($1$) beim Schreiben des Datums für \"$2$\"."},
    {-52016, L"\"$1$\" ungültig oder nicht gesetzt."},
    {-52017, L"Pfad \"$1$\" nicht gefunden."},
    {-52019, L"Menü \"$1$ ($2$)\" ist bereits vorhanden."},
    {-52020, L"Angegebenes Menüobjekt ist kein Menüfeld."},
};
}  // namespace

std::wstring MessageTableText(long lngErrorNumber) {
    for (const Entry& e : kMessages)
        if (e.number == lngErrorNumber) return e.text;
    return L"Unbekannter Fehler.";
}

std::wstring FillPlaceholders(const std::wstring& strMessage, const Variant& vntParam1,
                              const Variant& vntParam2, const Variant& vntParam3,
                              const Variant& vntParam4, const Variant& vntParam5) {
    const std::array<const Variant*, 5> params{&vntParam1, &vntParam2, &vntParam3, &vntParam4, &vntParam5};
    std::wstring text = strMessage;
    for (size_t i = 0; i < params.size(); ++i) {
        const std::wstring placeholder = L"$" + kv::DecimalText(i + 1) + L"$";
        size_t at = text.find(placeholder);
        // Only the first occurrence; later ones stay as they are.
        if (at != std::wstring::npos) text.replace(at, placeholder.size(), params[i]->ToString());
    }
    return text;
}

std::wstring ComponentMessage(long lngErrorNumber, const Variant& vntParam1, const Variant& vntParam2,
                              const Variant& vntParam3, const Variant& vntParam4, const Variant& vntParam5) {
    return FillPlaceholders(MessageTableText(lngErrorNumber), vntParam1, vntParam2, vntParam3,
                            vntParam4, vntParam5);
}

}  // namespace kv
