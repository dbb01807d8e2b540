#include "site/weapon_names.h"

#include <algorithm>
#include <array>
#include <utility>

namespace gravmark {

namespace {

using Name = std::pair<std::string_view, std::string_view>;

// Base ids without "_mp", sorted for the binary search.
constexpr auto kWeapons = std::to_array<Name>({
    {"30cal_prone", ".30 cal (prone)"},
    {"30cal_stand", ".30 cal (mounted)"},
    {"ak47", "AK-47"},
    {"ak74u", "AK-74u"},
    {"artillery", "Airstrike"},
    {"bar", "BAR"},
    {"barrett", "Barrett .50 cal"},
    {"bazooka", "Bazooka"},
    {"beretta", "M9 Beretta"},
    {"binoculars", "Binoculars"},
    {"bren", "Bren"},
    {"brush_type91", "Type 91 (mounted)"},
    {"c4", "C4"},
    {"claymore", "Claymore"},
    {"cobra_20mm", "Cobra 20 mm cannon"},
    {"cobra_ffar", "Cobra rockets"},
    {"colt", "Colt .45"},
    {"colt45", "M1911 .45"},
    {"concussion_grenade", "Stun grenade"},
    {"deserteagle", "Desert Eagle"},
    {"deserteaglegold", "Desert Eagle (gold)"},
    {"destructible_car", "Exploding car"},
    {"dp28", "DP-28"},
    {"dragunov", "Dragunov"},
    {"enfield", "Lee-Enfield"},
    {"enfield_scope", "Lee-Enfield (scoped)"},
    {"explodable_barrel", "Exploding barrel"},
    {"fg42", "FG42"},
    {"fg42_semi", "FG42 (semi-automatic)"},
    {"flamethrower", "Flamethrower"},
    {"flash_grenade", "Flash grenade"},
    {"frag_grenade", "Frag grenade"},
    {"frag_grenade_american", "Mk 2 frag grenade"},
    {"frag_grenade_british", "Mills bomb"},
    {"frag_grenade_german", "Stielhandgranate"},
    {"frag_grenade_russian", "RGD-33 grenade"},
    {"frag_grenade_short", "Frag grenade (martyrdom)"},
    {"fraggrenade", "Mk 2 frag grenade"},
    {"g3", "G3"},
    {"g36c", "G36C"},
    {"g43", "Gewehr 43"},
    {"gewehr43", "Gewehr 43"},
    {"gl", "Grenade launcher"},
    {"greasegun", "M3 Grease Gun"},
    {"helicopter", "Attack helicopter"},
    {"hind_ffar", "Hind rockets"},
    {"kar98k", "Kar98k"},
    {"kar98k_sniper", "Kar98k (scoped)"},
    {"luger", "Luger"},
    {"m1014", "M1014"},
    {"m14", "M14"},
    {"m16", "M16A4"},
    {"m1carbine", "M1A1 Carbine"},
    {"m1garand", "M1 Garand"},
    {"m21", "M21"},
    {"m4", "M4 Carbine"},
    {"m40a3", "M40A3"},
    {"m60e4", "M60E4"},
    {"mg34", "MG34"},
    {"mg42", "MG42"},
    {"mg42_bipod_duck", "MG42 (crouched)"},
    {"mg42_bipod_prone", "MG42 (prone)"},
    {"mg42_bipod_stand", "MG42 (mounted)"},
    {"mk1britishfrag", "Mills bomb"},
    {"mosin_nagant", "Mosin-Nagant"},
    {"mosin_nagant_sniper", "Mosin-Nagant (scoped)"},
    {"mp40", "MP40"},
    {"mp44", "MP44"},
    {"mp44_semi", "MP44 (semi-automatic)"},
    {"mp5", "MP5"},
    {"p90", "P90"},
    {"panzerfaust", "Panzerfaust"},
    {"panzerschreck", "Panzerschreck"},
    {"pps42", "PPS-42"},
    {"ppsh", "PPSh-41"},
    {"ppsh_semi", "PPSh-41 (semi-automatic)"},
    {"remington700", "R700"},
    {"rgd-33russianfrag", "RGD-33 grenade"},
    {"rpd", "RPD"},
    {"rpg", "RPG-7"},
    {"satchelcharge", "Satchel charge"},
    {"saw", "M249 SAW"},
    {"shotgun", "Trench gun"},
    {"skorpion", "Skorpion"},
    {"smoke_grenade", "Smoke grenade"},
    {"springfield", "Springfield"},
    {"sten", "Sten"},
    {"stielhandgranate", "Stielhandgranate"},
    {"svt40", "SVT-40"},
    {"thompson", "Thompson"},
    {"thompson_semi", "Thompson (semi-automatic)"},
    {"tnt_bomb", "TNT"},
    {"tt30", "TT-33"},
    {"usp", "USP .45"},
    {"uzi", "Mini-Uzi"},
    {"webley", "Webley"},
    {"winchester1200", "W1200"},
});

// Attachments, as the id's last part before "_mp".
constexpr auto kAttachments = std::to_array<Name>({
    {"_acog", " (ACOG)"},
    {"_grip", " (grip)"},
    {"_reflex", " (red dot)"},
    {"_silencer", " (silencer)"},
});

constexpr auto kLocations = std::to_array<Name>({
    {"gun", "Gun"},
    {"head", "Head"},
    {"helmet", "Helmet"},
    {"left_arm_lower", "Left forearm"},
    {"left_arm_upper", "Left upper arm"},
    {"left_foot", "Left foot"},
    {"left_hand", "Left hand"},
    {"left_leg_lower", "Left shin"},
    {"left_leg_upper", "Left thigh"},
    {"neck", "Neck"},
    {"right_arm_lower", "Right forearm"},
    {"right_arm_upper", "Right upper arm"},
    {"right_foot", "Right foot"},
    {"right_hand", "Right hand"},
    {"right_leg_lower", "Right shin"},
    {"right_leg_upper", "Right thigh"},
    {"torso_lower", "Lower torso"},
    {"torso_upper", "Upper torso"},
});

template <size_t N>
const std::string_view* lookUp(const std::array<Name, N>& table, std::string_view id) {
    const auto found =
        std::lower_bound(table.begin(), table.end(), id,
                         [](const Name& entry, std::string_view key) { return entry.first < key; });
    return found != table.end() && found->first == id ? &found->second : nullptr;
}

std::string baseWeapon(std::string_view base) {
    if (const std::string_view* name = lookUp(kWeapons, base)) return std::string(*name);
    for (const Name& attachment : kAttachments) {
        if (!base.ends_with(attachment.first)) continue;
        const std::string_view* name =
            lookUp(kWeapons, base.substr(0, base.size() - attachment.first.size()));
        if (name) return std::string(*name).append(attachment.second);
    }
    return {};
}

}  // namespace

std::string weaponName(std::string_view id) {
    std::string_view base = id;
    if (base.ends_with("_mp")) base.remove_suffix(3);
    std::string name = baseWeapon(base);
    if (name.empty() && base.starts_with("gl_")) {
        name = baseWeapon(base.substr(3));
        if (!name.empty()) name += " grenade launcher";
    }
    return name.empty() ? std::string(id) : name;
}

std::string hitLocationName(std::string_view id) {
    const std::string_view* name = lookUp(kLocations, id);
    return name ? std::string(*name) : std::string(id);
}

}  // namespace gravmark
