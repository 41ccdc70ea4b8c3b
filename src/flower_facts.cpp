#include "flower_facts.h"

#include "assets.h"

#include <algorithm>
#include <cassert>
#include <map>
#include <random>

namespace kvelmora
{

namespace
{
// The sentence each species' next card shows, from a random start. Drawn apart from the world's
// generator, so that a seeded run meets the same world whatever the cards told.
std::map<std::string, std::size_t> DrawFirstSentences()
{
    std::mt19937 generator(std::random_device{}());
    std::map<std::string, std::size_t> next;
    for (const FlowerSpecies& species : GetFlowerSpecies())
        next[species.textureKey] = generator() % species.sentences.size();
    return next;
}
} // namespace

// Written for a reader of ten: one short sentence each, a no-break space after one-letter words.
// clang-format off
const std::vector<FlowerSpecies>& GetFlowerSpecies()
{
    static const std::vector<FlowerSpecies> species = {
        {lenKey, L"Len tenkolistý", {
            L"Len tenkolistý má úzké listy a\u00A0světle růžové až nafialovělé květy.",
            L"Kvete od června do srpna na suchých a\u00A0slunných stráních.",
            L"V\u00A0Čechách roste jen vzácně, hlavně na stráních na severozápadě.",
            L"Je ohrožený a\u00A0chrání ho zákon. Netrhejte ho a\u00A0nešlapejte na něj.",
        }},
        {hvezdniceKey, L"Hvězdnice chlumní", {
            L"Hvězdnice chlumní kvete až koncem léta, v\u00A0srpnu a\u00A0září.",
            L"Její květ vypadá jako fialová hvězdička se žlutým středem.",
            L"Roste na slunných stráních s\u00A0vápnitou půdou a\u00A0chrání ji zákon.",
            L"Ubývá jí, protože stráně bez pastvy a\u00A0kosení zarůstají keři.",
        }},
        {sasankaKey, L"Sasanka lesní", {
            L"Sasanka lesní kvete od dubna do června velkými bílými květy.",
            L"Přes své jméno roste hlavně na slunných stráních a\u00A0na okrajích lesů.",
            L"Lidé ji pěstují i\u00A0na zahradách, ale v\u00A0přírodě je vzácná.",
            L"Chrání ji zákon, a\u00A0proto se nesmí trhat ani vykopávat.",
        }},
    };
    return species;
}
// clang-format on

const FlowerSpecies& FindFlowerSpecies(const std::string& textureKey)
{
    const std::vector<FlowerSpecies>& all = GetFlowerSpecies();
    const auto found =
        std::find_if(all.begin(), all.end(), [&](const FlowerSpecies& s) { return s.textureKey == textureKey; });
    assert(found != all.end() && "a flower texture without a species");
    return *found;
}

std::size_t TakeSentenceIndex(const FlowerSpecies& species)
{
    static std::map<std::string, std::size_t> next = DrawFirstSentences();
    std::size_t& index = next[species.textureKey];
    const std::size_t taken = index;
    index = (index + 1) % species.sentences.size();
    return taken;
}
} // namespace kvelmora
