// The main window's texts in Slovak, English and Hungarian. The strings are
// UTF-8; leading and trailing blanks are part of the texts (status panels and
// group captions rely on them), so keep them when editing.
#include "mainwindow/LanguageTexts.h"

#include "common/Clock.h"
#include "table/ResultLines.h"

static const TLanguageTexts SlovakTexts = {
    "deň",                           // DayWord
    NoEventWord.Sk,                  // NoEventText
    " Záznam číslo: ",               // RecordNoText
    " Vkladáte vlastné údaje",       // OwnDataText
    " Výsledky v UTC ",              // ResultsCaptionUtc
    " Výsledky v SEČ ",              // ResultsCaptionCet
    " Výsledky v SELČ ",             // ResultsCaptionCest
    " Výsledky podľa časovej zóny ", // ResultsCaptionLocal
    ClockTag::Utc.Sk,                // ResultTagUtc
    ClockTag::Cet.Sk,                // ResultTagCet
    ClockTag::Cest.Sk,               // ResultTagCest
    ClockTag::Local.Sk,              // ResultTagLocal
    " Mapa sveta",                   // WorldMapTitle
    " Mapa Slovenska",               // SlovakiaMapTitle
    " O programe ...",               // AboutTitle
    " Tabuľka výsledkov",            // TableTitle
    " Fáza Mesiaca",                 // MoonPhaseTitle
    {"Lokalita", "Hod.", "Min.", "ZŠ °", "ZŠ ´", "ZŠ ˝", "N/S", "ZD °", "ZD ´", "ZD ˝", "E/W"},
    {{
        // Captions
        {"Label1", "Databáza lokalít"},
        {"Label2", "Kalendár"},
        {"Label3", "Názov lokality                                 Posun času"},
        {"Label4", "Zemepisná dĺžka"},
        {"Label5", "Zemepisná šírka"},
        {"grpLokality", " Detailné údaje lokality "},
        {"grpCasV", " Formát času: "},
        {"lblPolohaS", "Pologuľa:"},
        {"lblPolohaD", "Pologuľa:"},
        {"lblVychod", "Východ:"},
        {"lblPoludnie", "Poludnie:"},
        {"lblZapad", "Západ:"},
        {"rbUTC", "UTC"},
        {"rbSEC", "SEČ"},
        {"rbSELC", "SELČ"},
        {"rbMiestny", "Miestny"},
    }},
    {{
        // MenuCaptions
        {"mnuSubor", "&Súbor"},
        {"mnuVlastne", "&Vlastné údaje"},
        {"mnuDatabaza", "Údaje z &databázy"},
        {"mnuPridat", "&Pridať do databáze"},
        {"mnuZmazat", "&Zmazať z databázy"},
        {"mnuHladat", "&Hľadať miesto..."},
        {"mnuJazyk", "&Jazyk"},
        {"mnuSlovensky", "&Slovensky"},
        {"mnuAnglicky", "&English"},
        {"mnuMadarsky", "&Magyarul"},
        {"mnuKoniec", "&Koniec"},
        {"mnuNastroje", "&Nástroje"},
        {"mnuSvet", "&Mapa sveta"},
        {"mnuSlovensko", "Mapa &Slovenska"},
        {"mnuVelkaNoc", "&Veľkonočná nedeľa"},
        {"mnuFazaMesiaca", "&Fáza Mesiaca"},
        {"mnuTabulka", "Výsledok do &tabuľky"},
        {"mnuTabulkaMes", "Výsledky za mesiac &do tabuľky"},
        {"mnuRokSlnka", "&Rok Slnka"},
        {"mnuSlnkoMesiac", "S&lnko a Mesiac"},
        {"mnuNapoved", "Nápov&eď"},
        {"mnuPomoc", "&Pomoc"},
        {"mnuOnLine", "Pomoc on-&line"},
        {"mnuOPrograme", "&O programe ..."},
    }},
    {{
        // ControlHints
        {"StringGrid1", " Súhrn všetkých záznamov lokalít"},
        {"Edit1", " Názov lokality"},
        {"seHod", " Časový posun v lokalite oproti UTC (hodiny)"},
        {"seMin", " Časový posun v lokalite oproti UTC (minúty)"},
        {"rbUTC", " UTC - univerzálny svetový čas (GMT, ZULU)"},
        {"rbSEC", " SEČ - stredoeurópsky čas (UTC + 1h)"},
        {"rbSELC", " SELČ - stredoeurópsky letný čas (UTC + 2h)"},
        {"rbMiestny", " Miestny čas v lokalite, podľa časovej zóny"},
        {"Kalendar", " Kalendár na určenie/výber dátumu"},
        {"PolohaD", " Zemská pologuľa: E = Východná, W = Západná"},
        {"PolohaS", " Zemská pologuľa: N = Severná, S = Južná"},
        {"seSirkaST", " Stupne zemepisnej šírky (0-90)"},
        {"seSirkaMin", " Minúty zemepisnej šírky (0-59)"},
        {"seSirkaSek", " Sekundy zemepisnej šírky (0-59)"},
        {"seDlzkaST", " Stupne zemepisnej dĺžky (0-180)"},
        {"seDlzkaMin", " Minúty zemepisnej dĺžky (0-59)"},
        {"seDlzkaSek", " Sekundy zemepisnej dĺžky (0-59)"},
        {"Label6", " Deň a poradové číslo dňa v roku z kalendára"},
        {"grpVysledky", " Zobraziť výsledky v určenom formáte času"},
    }},
    {{
        // MenuHints
        {"mnuVlastne", " Na výpočet používať vlastné údaje"},
        {"mnuDatabaza", " Na výpočet používať údaje z databázy"},
        {"mnuPridat", " Zapísať vložené údaje do databáze"},
        {"mnuZmazat", " Zmazať vyznačený záznam z databázy"},
        {"mnuHladat", " Nájsť mesto sveta podľa názvu a vložiť jeho údaje"},
        {"mnuJazyk", " Zvoliť uživateľský jazyk"},
        {"mnuSlovensky", " Uživateľský jazyk - Slovenský"},
        {"mnuAnglicky", " Uživateľský jazyk - Anglický"},
        {"mnuMadarsky", " Uživateľský jazyk - Maďarský"},
        {"mnuKoniec", " Ukončiť aplikáciu"},
        {"mnuSvet", " Zobraziť mapu sveta"},
        {"mnuSlovensko", " Zobraziť mapu Slovenska"},
        {"mnuVelkaNoc", " Vypočítať veľkonočnú nedeľu v danom roku"},
        {"mnuFazaMesiaca", " Vypočítať fázu Mesiaca na daný deň"},
        {"mnuTabulka", " Aktuálny výsledok zapísať do tabuľky"},
        {"mnuTabulkaMes", " Výsledky za mesiac zapísať do tabuľky"},
        {"mnuRokSlnka", " Zobraziť východ, západ a súmraky Slnka počas celého roka"},
        {"mnuSlnkoMesiac", " Zobraziť dráhu Slnka a Mesiaca, ich východy a západy a fázu Mesiaca"},
        {"mnuPomoc", " Otvoriť súbor pomocníka"},
        {"mnuOnLine", " Otvoriť súbor pomocníka on-line"},
        {"mnuOPrograme", " Základné informácie o programe"},
    }},
    " Upozornenie",                                    // CloseRefusedCaption
    "Tabuľka výsledkov nie je uložená",                // CloseRefusedText
    "Koniec programu",                                 // ProgramAbortedText
    " Chyba súboru",                                   // IniWriteErrorCaption
    "Nastavenia sa nepodarilo uložiť do súboru »%1«.", // IniWriteErrorText
};

static const TLanguageTexts EnglishTexts = {
    "day",                     // DayWord
    NoEventWord.En,            // NoEventText
    " Record No.: ",           // RecordNoText
    " Fill in your dates",     // OwnDataText
    " Results in UTC ",        // ResultsCaptionUtc
    " Results in CET ",        // ResultsCaptionCet
    " Results in CEST ",       // ResultsCaptionCest
    " Results in local time ", // ResultsCaptionLocal
    ClockTag::Utc.En,          // ResultTagUtc
    ClockTag::Cet.En,          // ResultTagCet
    ClockTag::Cest.En,         // ResultTagCest
    ClockTag::Local.En,        // ResultTagLocal
    " Chart of the World",     // WorldMapTitle
    " Chart of Slovakia",      // SlovakiaMapTitle
    " About ...",              // AboutTitle
    " Table of results",       // TableTitle
    " Moon phase",             // MoonPhaseTitle
    {"Locality", "Hour", "Min.", "Lat. °", "Lat. ´", "Lat. ˝", "N/S", "Long.°", "Long.´", "Long.˝",
     "E/W"},
    {{
        // Captions
        {"Label1", "Database of locality"},
        {"Label2", "Calendar"},
        {"Label3", "Name of locality                              Clock time"},
        {"Label4", "Longitude"},
        {"Label5", "Latitude"},
        {"grpLokality", " Details of locality "},
        {"grpCasV", " Time in: "},
        {"lblPolohaS", "Direction:"},
        {"lblPolohaD", "Direction:"},
        {"lblVychod", "Sunrise:"},
        {"lblPoludnie", "Noon:"},
        {"lblZapad", "Sunset:"},
        {"rbUTC", "UTC"},
        {"rbSEC", "CET"},
        {"rbSELC", "CEST"},
        {"rbMiestny", "Local"},
    }},
    {{
        // MenuCaptions
        {"mnuSubor", "&File"},
        {"mnuVlastne", "&Own dates"},
        {"mnuDatabaza", "&Dates from database"},
        {"mnuPridat", "&Add to database"},
        {"mnuZmazat", "&Erase from database"},
        {"mnuHladat", "&Find a place..."},
        {"mnuJazyk", "&Language"},
        {"mnuSlovensky", "&Slovensky"},
        {"mnuAnglicky", "&English"},
        {"mnuMadarsky", "&Magyarul"},
        {"mnuKoniec", "E&xit"},
        {"mnuNastroje", "&Tools"},
        {"mnuSvet", "Map - &World"},
        {"mnuSlovensko", "Map - &Slovakia"},
        {"mnuVelkaNoc", "&Easter Sunday"},
        {"mnuFazaMesiaca", "&Moon Phases"},
        {"mnuTabulka", "Result to &table"},
        {"mnuTabulkaMes", "&Results of the month to table"},
        {"mnuRokSlnka", "&Year of the Sun"},
        {"mnuSlnkoMesiac", "S&un and Moon"},
        {"mnuNapoved", "&Help"},
        {"mnuPomoc", "&Help"},
        {"mnuOnLine", "H&elp on-line"},
        {"mnuOPrograme", "&About ..."},
    }},
    {{
        // ControlHints
        {"StringGrid1", " Table of the records of all localities"},
        {"Edit1", " Name of locality"},
        {"seHod", " Clock time in the locality against UTC (hours)"},
        {"seMin", " Clock time in the locality against UTC (minutes)"},
        {"rbUTC", " UTC - Coordinated Universal Time (GMT, ZULU)"},
        {"rbSEC", " CET - Central Europe Time (UTC + 1h)"},
        {"rbSELC", " CEST - Central Europe Summer Time (UTC + 2h)"},
        {"rbMiestny", " Local time, according to time zone"},
        {"Kalendar", " Calendar for selection of date"},
        {"PolohaD", " Direction: E = East, W = West"},
        {"PolohaS", " Direction: N = North, S = South"},
        {"seSirkaST", " Degrees of latitude (0-90)"},
        {"seSirkaMin", " Minutes of latitude (0-59)"},
        {"seSirkaSek", " Seconds of latitude (0-59)"},
        {"seDlzkaST", " Degrees of longitude (0-180)"},
        {"seDlzkaMin", " Minutes of longitude (0-59)"},
        {"seDlzkaSek", " Seconds of longitude (0-59)"},
        {"Label6", " Day and ordinal number of the day from calendar"},
        {"grpVysledky", " Display result according to selected time format"},
    }},
    {{
        // MenuHints
        {"mnuVlastne", " Use own dates to calculate"},
        {"mnuDatabaza", " Use dates from database to calculate"},
        {"mnuPridat", " Add dates to database"},
        {"mnuZmazat", " Erase selected dates from database"},
        {"mnuHladat", " Find a city of the world by its name and fill in its dates"},
        {"mnuJazyk", " Change language"},
        {"mnuSlovensky", " Language - Slovak"},
        {"mnuAnglicky", " Language - English"},
        {"mnuMadarsky", " Language - Hungarian"},
        {"mnuKoniec", " End of application"},
        {"mnuSvet", " Display map of the World"},
        {"mnuSlovensko", " Display map of Slovakia"},
        {"mnuVelkaNoc", " Calculate Easter Sunday in selected year"},
        {"mnuFazaMesiaca", " Calculate Moon phase on selected day"},
        {"mnuTabulka", " Write current result to table"},
        {"mnuTabulkaMes", " Write month results to table"},
        {"mnuRokSlnka", " Show sunrise, sunset and twilights over the whole year"},
        {"mnuSlnkoMesiac",
         " Show the paths of the Sun and the Moon, where they rise and set, and the Moon's phase"},
        {"mnuPomoc", " Show help"},
        {"mnuOnLine", " Show help at home page (on-line)"},
        {"mnuOPrograme", " Short information about application"},
    }},
    " Warning",                                 // CloseRefusedCaption
    "Table of results is not saved",            // CloseRefusedText
    "Program aborted",                          // ProgramAbortedText
    " File error",                              // IniWriteErrorCaption
    "The settings could not be saved to »%1«.", // IniWriteErrorText
};

static const TLanguageTexts HungarianTexts = {
    "nap",                            // DayWord
    NoEventWord.Hu,                   // NoEventText
    " Adatszám: ",                    // RecordNoText
    " Saját adat belépése",           // OwnDataText
    " Eredmény UTC-ben ",             // ResultsCaptionUtc
    " Eredmény CET-ben ",             // ResultsCaptionCet
    " Eredmény CEST-ben ",            // ResultsCaptionCest
    " Eredmények helyi idő szerint ", // ResultsCaptionLocal
    ClockTag::Utc.Hu,                 // ResultTagUtc
    ClockTag::Cet.Hu,                 // ResultTagCet
    ClockTag::Cest.Hu,                // ResultTagCest
    ClockTag::Local.Hu,               // ResultTagLocal
    " A Föld térképe",                // WorldMapTitle
    " Szlovákia térképe",             // SlovakiaMapTitle
    " A programról ...",              // AboutTitle
    " Eredmények táblázata",          // TableTitle
    " Holdfázis",                     // MoonPhaseTitle
    {"Helyszín", "Óra", "Perc", "Sz. °", "Sz. ´", "Sz. ˝", "N/S", "H. °", "H. ´", "H. ˝", "E/W"},
    {{
        // Captions
        {"Label1", "Helyszínek adatbázisa"},
        {"Label2", "Naptár"},
        {"Label3", "A helyszín neve                             Időeltolódás"},
        {"Label4", "Földrajzi hosszúság"},
        {"Label5", "Földrajzi szélesség"},
        {"grpLokality", " A helyszín részletes adatai "},
        {"grpCasV", " Időformátum: "},
        {"lblPolohaS", "Félteke:"},
        {"lblPolohaD", "Félteke:"},
        {"lblVychod", "Napkelte:"},
        {"lblPoludnie", "delelés:"},
        {"lblZapad", "Napnyugta:"},
        {"rbUTC", "UTC"},
        {"rbSEC", "CET"},
        {"rbSELC", "CEST"},
        {"rbMiestny", "Helyi"},
    }},
    {{
        // MenuCaptions
        {"mnuSubor", "&Fájl"},
        {"mnuVlastne", "&Saját adatok"},
        {"mnuDatabaza", "Adatok az &adatbázisból"},
        {"mnuPridat", "&Mentés az adatbázisba"},
        {"mnuZmazat", "&Törlés az adatbázisból"},
        {"mnuHladat", "&Hely keresése..."},
        {"mnuJazyk", "&Nyelv"},
        {"mnuSlovensky", "&Slovensky"},
        {"mnuAnglicky", "&English"},
        {"mnuMadarsky", "&Magyarul"},
        {"mnuKoniec", "&Kilépés"},
        {"mnuNastroje", "&Eszközök"},
        {"mnuSvet", "A &Föld térképe"},
        {"mnuSlovensko", "&Szlovákia térképe"},
        {"mnuVelkaNoc", "Húsvétvasárna&p"},
        {"mnuFazaMesiaca", "&Holdfázis"},
        {"mnuTabulka", "Eredmény a &táblázatba"},
        {"mnuTabulkaMes", "&Egy hónap eredményei a táblázatba"},
        {"mnuRokSlnka", "A &Nap éve"},
        {"mnuSlnkoMesiac", "Nap és Ho&ld"},
        {"mnuNapoved", "&Súgó"},
        {"mnuPomoc", "&Súgó"},
        {"mnuOnLine", "On-&line súgó"},
        {"mnuOPrograme", "&A programról ..."},
    }},
    {{
        // ControlHints
        {"StringGrid1", " A helyszínek adatainak táblázata"},
        {"Edit1", " A helyszín neve"},
        {"seHod", " Helyszíni időtolódás az UTC-hez (óra)"},
        {"seMin", " Helyszíni időtolódás az UTC-hez (perc)"},
        {"rbUTC", " UTC - egyeztetett világidő (GMT, ZULU)"},
        {"rbSEC", " CET - Középeurópai idő (UTC + 1ó)"},
        {"rbSELC", " CEST - Középeurópai nyári idő (UTC + 2ó)"},
        {"rbMiestny", " Helyi időszámítás időzóna szerint"},
        {"Kalendar", " Naptár a dátum kezeléséhez"},
        {"PolohaD", " Félteke: E = keleti, W = nyugati"},
        {"PolohaS", " Félteke: N = északi, S = déli"},
        {"seSirkaST", " Földrajzi szélesség - fok (0-90)"},
        {"seSirkaMin", " Földrajzi szélesség - perc (0-59)"},
        {"seSirkaSek", " Földrajzi szélesség - másodperc (0-59)"},
        {"seDlzkaST", " Földrajzi hosszúság - fok (0-180)"},
        {"seDlzkaMin", " Földrajzi hosszúság - perc (0-59)"},
        {"seDlzkaSek", " Földrajzi hosszúság - másodperc (0-59)"},
        {"Label6", " Nap és a nap sorszáma az évben"},
        {"grpVysledky", " Eredmények megjelenítése"},
    }},
    {{
        // MenuHints
        {"mnuVlastne", " A számításnál saját adatokat használni"},
        {"mnuDatabaza", " A számításnál az adatbázis adatait használni"},
        {"mnuPridat", " Az adatokat menteni az adatbázisba"},
        {"mnuZmazat", " Törölni az adatotkat az adatbázisból"},
        {"mnuHladat", " A világ egy városát megkeresni név szerint, és beírni az adatait"},
        {"mnuJazyk", " Váltani a kezelőfelület nyelvét"},
        {"mnuSlovensky", " Szlovák nyelvre váltani"},
        {"mnuAnglicky", " Angol nyelvre váltani"},
        {"mnuMadarsky", " Magyar nyelvre váltani"},
        {"mnuKoniec", " Kilépni a programból"},
        {"mnuSvet", " Megjeleníteni a Föld térképét"},
        {"mnuSlovensko", " Megjeleníteni Szlovákia térképét"},
        {"mnuVelkaNoc", " Kiszámítani a Húsvétvasárnapot az adott évben"},
        {"mnuFazaMesiaca", " Kiszámítani a Holdfázist az adott napon"},
        {"mnuTabulka", " Az aktuális eredményt beírni a táblázatba"},
        {"mnuTabulkaMes", " Egy hónap eredményeit beírni a táblázatba"},
        {"mnuRokSlnka", " Megjeleníteni a napkeltét, napnyugtát és szürkületeket egész évre"},
        {"mnuSlnkoMesiac",
         " Megjeleníteni a Nap és a Hold útját, kelését, nyugvását és a holdfázist"},
        {"mnuPomoc", " Nyitni a súgót"},
        {"mnuOnLine", " Nyitni az on-line súgót"},
        {"mnuOPrograme", " Megjeleníteni az alapinformációkat a programról"},
    }},
    " Figyelmeztetés",                             // CloseRefusedCaption
    "A táblázat nincs mentve",                     // CloseRefusedText
    "Kilépés a programból",                        // ProgramAbortedText
    " Fájlhiba",                                   // IniWriteErrorCaption
    "A beállításokat nem sikerült menteni: »%1«.", // IniWriteErrorText
};

static const TLanguageTexts *const AllTexts[LanguageCount] = {&SlovakTexts, &EnglishTexts,
                                                              &HungarianTexts};

const TLanguageTexts &LanguageTexts(TLanguage language)
{
    return *ForLanguage(AllTexts, language);
}
