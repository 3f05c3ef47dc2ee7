#include "clsPersonalData.h"

namespace kv {

std::wstring clsPersonalData::Company() const { return L"Tormel"; }
std::wstring clsPersonalData::Firstname() const { return L"Konrad"; }
std::wstring clsPersonalData::Lastname() const { return L"Velten"; }
std::wstring clsPersonalData::Pobox() const { return L"Postfach 10 20 30"; }
std::wstring clsPersonalData::Street() const { return L"Lindenweg 7"; }
std::wstring clsPersonalData::Town() const { return L"12345 Musterstadt"; }
std::wstring clsPersonalData::Country() const { return L"Deutschland"; }
std::wstring clsPersonalData::Website() const { return L"http://www.tormel.example"; }
std::wstring clsPersonalData::EmailAddress() const { return L"info@tormel.example"; }

std::wstring clsPersonalData::Copyright() const {
    return L"Warnung: Dieses Programm ist urheberrechtlich geschützt. Unerlaubte Vervielfältigung "
           L"oder Verbreitung dieses Programms oder eines Teils davon wird zivil- und strafrechtlich "
           L"verfolgt.";
}

std::wstring clsPersonalData::CopyrightFreeware() const {
    return L"Dieses Programm ist Freeware. Es darf kostenlos genutzt und unverändert weitergegeben "
           L"werden. Verkauf, Veränderung und Weitergabe gegen Entgelt sind nicht gestattet. Die "
           L"Nutzung erfolgt auf eigene Gefahr.";
}

}  // namespace kv
