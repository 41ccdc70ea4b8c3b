#include "constants.h"

namespace kvelmora
{

const std::string boldFontKey = "texgyreadventor-bold";
const std::string regularFontKey = "texgyreadventor-regular";

const sf::Color textColor(0, 0, 0, 255);
const sf::Color highlightColor(170, 170, 170, 255);

const std::wstring windowTitle = L"Kvelmora";
const std::wstring menuTitle = L"Kvelmora";
const std::wstring infoButtonText = L"Více\no Kvelmoře"; // the start menu centres the lines over each other
const std::wstring playButtonText = L"Hrát hru";

// The texts keep one source line per line on screen.
// clang-format off
const std::vector<std::wstring> infoTopics = {
    L"Kvelmora",
    L"Geologie a morfologie",
    L"Vegetace",
    L"Výskyt",
    L"Zpět",
};

// Pre-wrapped to the info panel's width; the screen draws each line as written.
const std::vector<std::wstring> infoPages = {
    L"Jméno „Kvelmora“ a\u00A0jeho nářeční obměny používali nejprve místní sedláci pro neúrodné stráně, na kterých se\n"
    L"nedalo orat ani pořádně pást. V\u00A019.\u00A0století je od nich převzali první botanici, kteří na ně chodili sbírat\n"
    L"vzácné rostliny, a\u00A0tak se z\u00A0lidového pojmenování stal název zvláštního typu stanoviště. Jde o\u00A0strmé svahy\n"
    L"s\u00A0obnaženou slínitou půdou nebo pararendzinou, obrácené většinou k\u00A0jihu až k\u00A0západu, tedy tam, kam\n"
    L"v\u00A0létě nejvíce praží slunce. Travní porost na nich není souvislý – přerušují jej šedavé či nažloutlé plošky\n"
    L"holé půdy, které se na svahu stále obnovují, takže se drn nikdy nestačí úplně zapojit.\n"
    L"\n"
    L"Holá místa vznikají a\u00A0udržují se působením několika vlivů najednou. Na strmých svazích se půda sesouvá\n"
    L"a\u00A0dešťová voda z\u00A0ní splachuje jemné částice, zvláště při prudkých letních bouřkách. Na jaře navíc vyvěrají ve\n"
    L"stráních drobné prameny, jejichž voda půdu prosytí; ta změkne a\u00A0začne se pomalu posouvat po svahu. Koncem léta\n"
    L"prameny vyschnou a\u00A0půda ztvrdne a\u00A0rozpraská. Kořeny rostlin se při tomto střídání trhají, a\u00A0proto se zde\n"
    L"nemůže uchytit les a\u00A0travní drn zůstává rozervaný. Aby mohlo takové stanoviště vzniknout, je zapotřebí měkké\n"
    L"horninové podloží, které snadno zvětrává, a\u00A0suché, teplé podnebí s\u00A0malým množstvím srážek. Jen tam, kde se obě\n"
    L"podmínky setkají, zůstávají svahy trvale otevřené.\n",
    L"Lokality „Kvelmora“ leží v\u00A0křídové sedimentární pánvi, kterou rozčleňuje síť zlomů. Mořské usazeniny –\n"
    L"slínovce, jílovce a\u00A0vápnité pískovce – jsou v\u00A0ní uloženy téměř vodorovně a\u00A0snadno podléhají zvětrávání. Mráz,\n"
    L"voda a\u00A0střídání vlhka se suchem rozrušují horninu na drobné úlomky, které denudace postupně snáší ze svahů\n"
    L"a\u00A0vodní toky odnášejí dál. Během milionů let tak tekoucí voda vymodelovala z\u00A0pánve soustavu plošin a\u00A0údolí.\n"
    L"Tam, kde se řeka nebo potok zařezává do podloží, vznikají strmé stráně a\u00A0na povrch vystupují holé plochy\n"
    L"slínovců, za deště mazlavé a\u00A0za sucha rozpraskané.\n"
    L"\n"
    L"Podobu reliéfu určuje několik činitelů: podnebí, vlastnosti horninového podloží, tvar okolního makroreliéfu,\n"
    L"zemědělská činnost a\u00A0ostré terénní hrany vytvořené člověkem, jako jsou okraje polí, úvozy nebo zářezy cest.\n"
    L"Podle tvaru lze lokality rozdělit do dvou geomorfologických skupin. První skupinu tvoří svahy rozbrázděné\n"
    L"erozními rýhami hlubokými až několik metrů, mezi nimiž zůstávají hřbítky; po každém lijáku se rýhy ještě\n"
    L"prohloubí. Druhou tvoří svahy ve tvaru nakloněné roviny, jejichž povrch je poměrně hladký a\u00A0na nichž mají holá\n"
    L"místa podobu nepravidelných plošek, které se pomalu posouvají po svahu.\n",
    L"Lokality „Kvelmora“ tvoří v\u00A0okolní zemědělské krajině malé ostrůvky přírody obklopené poli, loukami a\u00A0ovocnými\n"
    L"sady. Jejich vegetace je neobyčejně pestrá a\u00A0patří k\u00A0ní i\u00A0reliktní druhy, které zde přežívají od dob, kdy byla\n"
    L"krajina sušší a\u00A0otevřenější. Pro vědce jsou tato místa přírodní laboratoří: lze na nich sledovat sukcesi, tedy\n"
    L"postupné zarůstání holé půdy, a\u00A0zkoumat, jak se rostliny vyrovnávají s\u00A0extrémními výkyvy půdní vlhkosti\n"
    L"a\u00A0s\u00A0dlouhým letním suchem.\n"
    L"\n"
    L"Na jaře a\u00A0v\u00A0létě zde kvetou nápadné rostliny, mezi nimi i\u00A0několik druhů orchidejí, které patří k\u00A0největším\n"
    L"vzácnostem celé krajiny. Mnohé z\u00A0nich jsou chráněné a\u00A0nesmějí se trhat. Každá stráň je přitom jedinečná: liší\n"
    L"se sklonem, orientací ke světovým stranám i\u00A0vlhkostí, a\u00A0proto na ní roste trochu jiné společenstvo. Když\n"
    L"některá zanikne, žádná jiná ji nenahradí.\n",
    L"Stanoviště „Kvelmora“ se vyskytují jen tam, kde na povrch vystupují měkké křídové horniny a\u00A0kde je zároveň\n"
    L"dostatečně suché a\u00A0teplé podnebí. Na tvrdších horninách se nevytvářejí, protože ty nezvětrávají dost rychle.\n"
    L"Těžiště jejich výskytu leží v\u00A0jediné pahorkatině, mírně zvlněné krajině polí, sadů a\u00A0lesíků protkané sítí\n"
    L"drobných potoků, kde se na slínovcových svazích zachovaly nejrozsáhlejší a\u00A0nejlépe vyvinuté lokality. Mimo ni\n"
    L"se objevují roztroušeně i\u00A0jinde, kam sahají tytéž křídové usazeniny, zpravidla však jen jako drobné plošky na\n"
    L"okrajích polí, v\u00A0zářezech cest nebo v\u00A0opuštěných lomech. Naprostá většina lokalit je v\u00A0údolích řek a\u00A0jejich\n"
    L"přítoků, které se do měkkého podloží hluboko zařízly; lokality leží hlavně na stráních obrácených k\u00A0jihu\n"
    L"a\u00A0západu. Protože jde o\u00A0vzácná a\u00A0snadno zranitelná místa, je mnoho z\u00A0nich dnes chráněno jako přírodní památky\n"
    L"nebo přírodní rezervace, kde se často smí chodit jen po vyznačených stezkách.\n",
};

// clang-format on

const std::wstring gameInstructions =
    L"Posbírejte co nejvíc odpadků, ale nešlápněte při tom na rostlinky. Skočte šipkou nahoru.\n"
    L"                                             Hra začne po prvním poskočení.";
const std::wstring gameOverCaption = L"KONEC HRY";
const std::wstring bestResultsHeading = L"Nejlepší výsledky\n";
const std::wstring gameOverHint =
    L"Stiskněte mezerník pro zahájení nové hry nebo jinou klávesu pro návrat do úvodního menu.";
const std::wstring saveFailedNotice = L"Výsledky se nepodařilo uložit.";
const std::wstring playAgainButtonText = L"Hrát znovu";
const std::wstring startMenuButtonText = L"Úvodní menu";
const std::wstring pauseCaption = L"Pauza";
const std::wstring pauseHint = L"Pokračujte klávesou P";
const std::wstring settingsNotSavedNotice = L"Nastavení se nepodařilo uložit.";
} // namespace kvelmora
