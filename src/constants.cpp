#include "constants.h"

#include <algorithm>

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
const std::wstring speedChoiceText = L"Rychlost hry: ";

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
    L"„Kvelmora“ je strmá stráň, na které mezi trávou prosvítá holá šedá nebo nažloutlá půda. Tak těmto stráním\n"
    L"nejdřív říkali místní sedláci. Nedalo se na nich orat ani pořádně pást. V\u00A019.\u00A0století to jméno převzali\n"
    L"botanici, tedy vědci, kteří zkoumají rostliny. Chodili sem hledat vzácné květiny. Stráně leží většinou na\n"
    L"jižní až západní straně kopců. Tam v\u00A0létě nejvíc praží slunce. Na povrchu je holý slín nebo pararendzina. Slín\n"
    L"je měkká šedá hornina, směs jílu a\u00A0vápence. Pararendzina je mělká kamenitá půda, která z\u00A0takové horniny\n"
    L"vzniká. Tráva tu neroste souvisle – mezi jejími trsy zůstávají plošky holé půdy.\n"
    L"\n"
    L"Holá místa se stále obnovují. Na strmém svahu se půda sesouvá, hlavně po dešti. Voda z\u00A0ní splachuje drobné\n"
    L"kousky hlíny, nejvíc při letních bouřkách. Na jaře ze stráně vytékají malé prameny. Jejich voda půdu rozmočí\n"
    L"a\u00A0ta pomalu klouže dolů. Koncem léta prameny vyschnou. Půda ztvrdne a\u00A0popraská. Kořeny rostlin se přitom\n"
    L"trhají. Proto se tu keře a\u00A0stromy uchytí jen těžko. Bez pastvy nebo kosení by ale stráně časem zarostly. Ovce\n"
    L"a\u00A0kozy totiž okusují mladé keře. Taková stráň potřebuje dvě věci. První je měkká hornina, která se snadno\n"
    L"drolí. Druhá je suché a\u00A0teplé počasí, kdy málo prší. Jen tam, kde jsou obě, zůstávají stráně dlouho holé.\n",
    L"Stráně „Kvelmora“ leží v\u00A0kraji, kde bylo kdysi moře. Bylo to v\u00A0době dinosaurů, asi před 90 miliony let.\n"
    L"Geologové tomu období říkají křída. Na dně moře se usazovalo bahno a\u00A0písek. Z\u00A0usazenin časem vznikly měkké\n"
    L"horniny, hlavně slínovec. Slínovec je ztvrdlý slín. Vrstvy leží skoro vodorovně. Celý ten kraj se proto\n"
    L"jmenuje křídová pánev. Pánev je velká prohlubeň, kterou zaplnily usazeniny. Na mnoha místech v\u00A0ní země\n"
    L"popraskala. Takovým prasklinám se říká zlomy. Mráz, voda a\u00A0střídání vlhka se suchem horninu drolí. Déšť pak\n"
    L"drobty splachuje ze svahů. Potoky a\u00A0řeky je odnášejí dál. Tak vznikla údolí a\u00A0mezi nimi plošiny. Kde se řeka\n"
    L"zařízla hluboko, vznikly strmé stráně. Na nich vychází na povrch holý slínovec. Za deště je mazlavý, v\u00A0suchu\n"
    L"popraská.\n"
    L"\n"
    L"Tvar strání ovlivňuje počasí, hornina pod nimi a\u00A0tvar okolní krajiny. Mění ho i\u00A0lidé, třeba orbou polí. Lidé\n"
    L"také vytvořili ostré hrany v\u00A0krajině: okraje polí a\u00A0zářezy cest. Stráně „Kvelmora“ jsou dvojího druhu. Některé\n"
    L"rozbrázdila voda. Jsou v\u00A0nich rýhy hluboké i\u00A0několik metrů. Po každém lijáku se rýhy prohloubí. Jiné stráně\n"
    L"jsou hladké a\u00A0šikmé jako velká skluzavka. Holá místa jsou na nich malé plošky, které pomalu sjíždějí dolů.\n",
    L"Stráně „Kvelmora“ jsou malé ostrůvky přírody mezi poli a\u00A0sady. Roste na nich mnoho různých rostlin. Některé tu\n"
    L"přežívají z\u00A0dávných dob, kdy byla krajina sušší. Jinde v\u00A0okolí je už skoro nenajdete. Na jaře je tu půda\n"
    L"rozmočená, v\u00A0létě je suchá jako kámen. Rostliny musí vydržet obojí. Vědci tu zkoumají, jak to dokážou. Sledují\n"
    L"také, jak holá půda pomalu zarůstá trávou a\u00A0keři. Vzácné rostliny potřebují hodně světla. Když stráň zaroste,\n"
    L"tyto rostliny zmizí. Proto se na mnoha stráních pasou ovce nebo se tam kosí.\n"
    L"\n"
    L"Kvetou tu vzácné orchideje a\u00A0další nápadné květiny. Ve hře potkáte tři z\u00A0nich: len tenkolistý, hvězdnici\n"
    L"chlumní a\u00A0sasanku lesní. Sasanka kvete na jaře, len v\u00A0létě a\u00A0hvězdnice koncem léta. Všechny tři jsou chráněné\n"
    L"zákonem. Nešlapejte na ně a\u00A0netrhejte je. Každá stráň je jiná. Když jedna zanikne, žádná jiná ji nenahradí.\n",
    L"Stráně „Kvelmora“ najdete jen tam, kde jsou na povrchu měkké horniny z\u00A0doby dinosaurů. Vznikly kdysi na dně\n"
    L"moře. Musí tam být také sucho a\u00A0teplo. Na tvrdých horninách stráně nevznikají, protože ty se drolí moc pomalu.\n"
    L"Nejvíc jich je v\u00A0jedné pahorkatině. Pahorkatina je krajina nízkých kopců. Je v\u00A0ní hodně polí, sadů, malých\n"
    L"lesů a\u00A0potoků. Tam jsou stráně největší a\u00A0nejkrásnější. Jinde jsou jen tu a\u00A0tam, kam sahají stejné horniny.\n"
    L"Často jsou to jen malé plošky na okrajích polí, v\u00A0zářezech cest nebo ve starých lomech. Skoro všechny leží\n"
    L"v\u00A0údolích řek a\u00A0potoků. Voda se tam zařízla hluboko do měkké horniny. Stráně míří hlavně k\u00A0jihu a\u00A0k\u00A0západu. Na\n"
    L"severních svazích je víc stínu a\u00A0vláhy, a\u00A0tak tam roste spíš les. Stráně „Kvelmora“ jsou vzácné a\u00A0snadno se\n"
    L"poškodí. Mnohé z\u00A0nich proto chrání zákon jako přírodní památky nebo rezervace. Poznáte je podle cedule se\n"
    L"státním znakem. Když tam půjdete, choďte jen po cestách.\n",
};

// clang-format on

const std::wstring gameInstructions =
    L"Posbírejte co nejvíc odpadků, ale nešlápněte při tom na rostlinky. Skočte šipkou nahoru.\n"
    L"                                             Hra začne po prvním poskočení.";
const std::wstring gameOverCaption = L"KONEC HRY";
const std::wstring bestResultsHeading = L"Nejlepší výsledky\n";
const std::wstring slowerBestResultsHeading = L"Nejlepší výsledky (rychlost ";
const std::wstring gameOverHint =
    L"Stiskněte mezerník pro zahájení nové hry nebo jinou klávesu pro návrat do úvodního menu.";
const std::wstring saveFailedNotice = L"Výsledky se nepodařilo uložit.";
const std::wstring playAgainButtonText = L"Hrát znovu";
const std::wstring startMenuButtonText = L"Úvodní menu";
const std::wstring flowerPageButtonText = L"Více o květinách";
const std::wstring pauseCaption = L"Pauza";
const std::wstring pauseHint = L"Pokračujte klávesou P nebo tlačítkem vlevo nahoře";
const std::wstring pauseTapHint = L"Klepněte na tlačítko vlevo nahoře nebo stiskněte P";
const std::wstring settingsNotSavedNotice = L"Nastavení se nepodařilo uložit.";

std::wstring WithPlainSpaces(std::wstring text)
{
    std::replace(text.begin(), text.end(), L'\u00A0', L' ');
    return text;
}
} // namespace kvelmora
