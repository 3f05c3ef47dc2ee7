#pragma once
// Locale entries (GetLocaleInfo type numbers) and the values such entries return, under
// readable names. Values follow the Windows locale documentation one for one.

namespace kv {

// What GetRegionalInfo reads (102 entries, the LOCALE_* type numbers).
enum enuWhichInfo : long {
    conRI_LanguageId = 1,                    // LOCALE_ILANGUAGE
    conRI_LanguageName = 2,                  // LOCALE_SLANGUAGE
    conRI_LanguageNameEnglish = 4097,        // LOCALE_SENGLANGUAGE
    conRI_LanguageNameAbbreviated = 3,       // LOCALE_SABBREVLANGNAME
    conRI_LanguageNameNative = 4,            // LOCALE_SNATIVELANGNAME
    conRI_CountryCode = 5,                   // LOCALE_ICOUNTRY
    conRI_CountryName = 6,                   // LOCALE_SCOUNTRY
    conRI_CountryNameEnglish = 4098,         // LOCALE_SENGCOUNTRY
    conRI_CountryNameAbbreviated = 7,        // LOCALE_SABBREVCTRYNAME
    conRI_CountryNameNative = 8,             // LOCALE_SNATIVECTRYNAME
    conRI_DefaultLanguage = 9,               // LOCALE_IDEFAULTLANGUAGE
    conRI_DefaultCountry = 10,               // LOCALE_IDEFAULTCOUNTRY
    conRI_DefaultCodePage = 11,              // LOCALE_IDEFAULTCODEPAGE
    conRI_DefaultAnsiCodePage = 4100,        // LOCALE_IDEFAULTANSICODEPAGE
    conRI_DefaultMacCodePage = 4113,         // LOCALE_IDEFAULTMACCODEPAGE
    conRI_ListSeperator = 12,                // LOCALE_SLIST
    conRI_MeasureSystem = 13,                // LOCALE_IMEASURE
    conRI_DecimalSeperator = 14,             // LOCALE_SDECIMAL
    conRI_ThousandsSeperator = 15,           // LOCALE_STHOUSAND
    conRI_DigitGrouping = 16,                // LOCALE_SGROUPING
    conRI_FractionalDigits = 17,             // LOCALE_IDIGITS
    conRI_LeadingZeros = 18,                 // LOCALE_ILZERO
    conRI_NegativeNumberMode = 4112,         // LOCALE_INEGNUMBER
    conRI_NativeDigits = 19,                 // LOCALE_SNATIVEDIGITS
    conRI_CurrencySymbol = 20,               // LOCALE_SCURRENCY
    conRI_CurrencySymbolInternational = 21,  // LOCALE_SINTLSYMBOL
    conRI_CurrencyDecimalSeperator = 22,     // LOCALE_SMONDECIMALSEP
    conRI_CurrencyThousandsSeperator = 23,   // LOCALE_SMONTHOUSANDSEP
    conRI_CurrencyDigitGrouping = 24,        // LOCALE_SMONGROUPING
    conRI_CurrencyDigits = 25,               // LOCALE_ICURRDIGITS
    conRI_CurrencyDigitsInternational = 26,  // LOCALE_IINTLCURRDIGITS
    conRI_CurrencyPositiveMode = 27,         // LOCALE_ICURRENCY
    conRI_CurrencyNegativeMode = 28,         // LOCALE_INEGCURR
    conRI_DateSeperator = 29,                // LOCALE_SDATE
    conRI_TimeSeperator = 30,                // LOCALE_STIME
    conRI_ShortDateFormat = 31,              // LOCALE_SSHORTDATE
    conRI_LongDateFormat = 32,               // LOCALE_SLONGDATE
    conRI_TimeFormat = 4099,                 // LOCALE_STIMEFORMAT
    conRI_ShortDateOrder = 33,               // LOCALE_IDATE
    conRI_LongDateOrder = 34,                // LOCALE_ILDATE
    conRI_TimeFormatSpecifier = 35,          // LOCALE_ITIME
    conRI_TimeMarkerPosition = 4101,         // LOCALE_ITIMEMARKPOSN
    conRI_CenturyFormat = 36,                // LOCALE_ICENTURY
    conRI_TimeLeadingZeros = 37,             // LOCALE_ITLZERO
    conRI_DayLeadingZeros = 38,              // LOCALE_IDAYLZERO
    conRI_MonthLeadingZeros = 39,            // LOCALE_IMONLZERO
    conRI_AMDesignator = 40,                 // LOCALE_S1159
    conRI_PMDesignator = 41,                 // LOCALE_S2359
    conRI_CalenderType = 4105,               // LOCALE_ICALENDARTYPE
    conRI_CalenderTypeOptional = 4107,       // LOCALE_IOPTIONALCALENDAR
    conRI_FirstDayOfWeek = 4108,             // LOCALE_IFIRSTDAYOFWEEK
    conRI_FirstWeekOfYear = 4109,            // LOCALE_IFIRSTWEEKOFYEAR
    conRI_DayName1 = 42,                     // LOCALE_SDAYNAME1 (Monday) ...
    conRI_DayName2 = 43,
    conRI_DayName3 = 44,
    conRI_DayName4 = 45,
    conRI_DayName5 = 46,
    conRI_DayName6 = 47,
    conRI_DayName7 = 48,
    conRI_DayNameAbbreviated1 = 49,          // LOCALE_SABBREVDAYNAME1 ...
    conRI_DayNameAbbreviated2 = 50,
    conRI_DayNameAbbreviated3 = 51,
    conRI_DayNameAbbreviated4 = 52,
    conRI_DayNameAbbreviated5 = 53,
    conRI_DayNameAbbreviated6 = 54,
    conRI_DayNameAbbreviated7 = 55,
    conRI_MonthName1 = 56,                   // LOCALE_SMONTHNAME1 ...
    conRI_MonthName2 = 57,
    conRI_MonthName3 = 58,
    conRI_MonthName4 = 59,
    conRI_MonthName5 = 60,
    conRI_MonthName6 = 61,
    conRI_MonthName7 = 62,
    conRI_MonthName8 = 63,
    conRI_MonthName9 = 64,
    conRI_MonthName10 = 65,
    conRI_MonthName11 = 66,
    conRI_MonthName12 = 67,
    conRI_MonthName13 = 4110,                // LOCALE_SMONTHNAME13
    conRI_MonthNameAbbreviated1 = 68,        // LOCALE_SABBREVMONTHNAME1 ...
    conRI_MonthNameAbbreviated2 = 69,
    conRI_MonthNameAbbreviated3 = 70,
    conRI_MonthNameAbbreviated4 = 71,
    conRI_MonthNameAbbreviated5 = 72,
    conRI_MonthNameAbbreviated6 = 73,
    conRI_MonthNameAbbreviated7 = 74,
    conRI_MonthNameAbbreviated8 = 75,
    conRI_MonthNameAbbreviated9 = 76,
    conRI_MonthNameAbbreviated10 = 77,
    conRI_MonthNameAbbreviated11 = 78,
    conRI_MonthNameAbbreviated12 = 79,
    conRI_MonthNameAbbreviated13 = 4111,     // LOCALE_SABBREVMONTHNAME13
    conRI_PositiveSign = 80,                 // LOCALE_SPOSITIVESIGN
    conRI_NegativeSign = 81,                 // LOCALE_SNEGATIVESIGN
    conRI_PositiveSignPosition = 82,         // LOCALE_IPOSSIGNPOSN
    conRI_NegativeSignPosition = 83,         // LOCALE_INEGSIGNPOSN
    conRI_PositiveSymbolPrecedes = 84,       // LOCALE_IPOSSYMPRECEDES
    conRI_PositiveSymbolSeparated = 85,      // LOCALE_IPOSSEPBYSPACE
    conRI_NegativeSymbolPrecedes = 86,       // LOCALE_INEGSYMPRECEDES
    conRI_NegativeSymbolSeparated = 87,      // LOCALE_INEGSEPBYSPACE
    conRI_ISOLanguageName = 89,              // LOCALE_SISO639LANGNAME
    conRI_ISOCountryName = 90,               // LOCALE_SISO3166CTRYNAME
};

// What locale entries return (88 values), grouped by entry.
enum enuWhichInfoReturn : long {
    // LOCALE_IMEASURE
    conRIRet_MSMetric = 0,
    conRIRet_MSUS = 1,
    // LOCALE_ILZERO
    conRIRet_LZNoLeadingZeros = 0,
    conRIRet_LZLeadingZeros = 1,
    // LOCALE_INEGNUMBER: (1.1), -1.1, - 1.1, 1.1-, 1.1 -
    conRIRet_NNBrackets = 0,
    conRIRet_NNMinusBefore = 1,
    conRIRet_NNMinusBeforeSpace = 2,
    conRIRet_NNMinusAfter = 3,
    conRIRet_NNMinusAfterNoSpace = 4,
    // LOCALE_ICURRENCY: $1.1, 1.1$, $ 1.1, 1.1 $
    conRIRet_PCPrefixNoSeperation = 0,
    conRIRet_PCSuffixNoSeperation = 1,
    conRIRet_PCPrefixSeperation = 2,
    conRIRet_PCSuffixSeperation = 3,
    // LOCALE_INEGCURR
    conRIRet_NCBracketsSymbolBefore = 0,          // ($1.1)
    conRIRet_NCMinusSymbolNumber = 1,             // -$1.1
    conRIRet_NCSymbolMinusNumber = 2,             // $-1.1
    conRIRet_NCSymbolNumberMinus = 3,             // $1.1-
    conRIRet_NCBracketsSymbolAfter = 4,           // (1.1$)
    conRIRet_NCMinusNumberSymbol = 5,             // -1.1$
    conRIRet_NCNumberMinusSymbol = 6,             // 1.1-$
    conRIRet_NCNumberSymbolMinus = 7,             // 1.1$-
    conRIRet_NCMinusNumberSpaceSymbol = 8,        // -1.1 $
    conRIRet_NCMinusSymbolSpaceNumber = 9,        // -$ 1.1
    conRIRet_NCNumberSpaceSymbolMinus = 10,       // 1.1 $-
    conRIRet_NCSymbolSpaceNumberMinus = 11,       // $ 1.1-
    conRIRet_NCSymbolSpaceMinusNumber = 12,       // $ -1.1
    conRIRet_NCNumberMinusSpaceSymbol = 13,       // 1.1- $
    conRIRet_NCBracketsSymbolSpaceBefore = 14,    // ($ 1.1)
    conRIRet_NCBracketsSymbolSpaceAfter = 15,     // (1.1 $)
    // LOCALE_IDATE
    conRIRet_SDMonthDayYear = 0,
    conRIRet_SDDayMonthYear = 1,
    conRIRet_SDYearMonthDay = 2,
    // LOCALE_ILDATE
    conRIRet_LDMonthDayYear = 0,
    conRIRet_LDDayMonthYear = 1,
    conRIRet_LDYearMonthDay = 2,
    // LOCALE_ITIME
    conRIRet_TF12Hours = 0,
    conRIRet_TF24Hours = 1,
    // LOCALE_ITIMEMARKPOSN
    conRIRet_TMSuffix = 0,
    conRIRet_TMPrefix = 1,
    // LOCALE_ICENTURY
    conRIRet_CETwoDigits = 0,
    conRIRet_CEFourDigits = 1,
    // LOCALE_ITLZERO
    conRIRet_TLZNoLeadingZeros = 0,
    conRIRet_TLZLeadingZeros = 1,
    // LOCALE_IDAYLZERO
    conRIRet_DLZNoLeadingZeros = 0,
    conRIRet_DLZLeadingZeros = 1,
    // LOCALE_IMONLZERO
    conRIRet_MLZNoLeadingZeros = 0,
    conRIRet_MLZLeadingZeros = 1,
    // LOCALE_ICALENDARTYPE (calendar identifiers)
    conRIRet_CTGregorianLocalized = 1,
    conRIRet_CTGregorianEnglish = 2,
    conRIRet_CTJapaneseEmperorEra = 3,
    conRIRet_CTTaiwanYear = 4,
    conRIRet_CTKoreanTangunEra = 5,
    conRIRet_CTHijri = 6,
    conRIRet_CTThai = 7,
    conRIRet_CTHebrew = 8,
    conRIRet_CTGregorianMiddleEastFrench = 9,
    conRIRet_CTGregorianArabic = 10,
    conRIRet_CTGregorianTransliteratedEnglish = 11,
    conRIRet_CTGregorianTransliteratedFrench = 12,
    // LOCALE_IOPTIONALCALENDAR
    conRIRet_OCNoOptionalCalender = 0,
    // LOCALE_IFIRSTDAYOFWEEK
    conRIRet_FDMonday = 0,
    conRIRet_FDTuesday = 1,
    conRIRet_FDWednesday = 2,
    conRIRet_FDThursday = 3,
    conRIRet_FDFriday = 4,
    conRIRet_FDSaturday = 5,
    conRIRet_FDSunday = 6,
    // LOCALE_IFIRSTWEEKOFYEAR
    conRIRet_FWContainingJan1 = 0,
    conRIRet_FWFirstFullWeek = 1,
    conRIRet_FWFirstFourDayWeek = 2,
    // LOCALE_IPOSSIGNPOSN
    conRIRet_PSBrackets = 0,
    conRIRet_PSBeforeNumberAndSymbol = 1,
    conRIRet_PSAfterNumberAndSymbol = 2,
    conRIRet_PSBeforeSymbol = 3,
    conRIRet_PSAfterSymbol = 4,
    // LOCALE_INEGSIGNPOSN
    conRIRet_NSBrackets = 0,
    conRIRet_NSBeforeNumberAndSymbol = 1,
    conRIRet_NSAfterNumberAndSymbol = 2,
    conRIRet_NSBeforeSymbol = 3,
    conRIRet_NSAfterSymbol = 4,
    // LOCALE_IPOSSYMPRECEDES
    conRIRet_PSPSymbolAfter = 0,
    conRIRet_PSPSymbolBefore = 1,
    // LOCALE_IPOSSEPBYSPACE
    conRIRet_PSSNoSpace = 0,
    conRIRet_PSSSpace = 1,
    // LOCALE_INEGSYMPRECEDES
    conRIRet_NSPSymbolAfter = 0,
    conRIRet_NSPSymbolBefore = 1,
    // LOCALE_INEGSEPBYSPACE
    conRIRet_NSSNoSpace = 0,
    conRIRet_NSSSpace = 1,
};

}  // namespace kv
