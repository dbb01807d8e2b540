#include "loggen/log_generator.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace gravmark::loggen {

namespace {

// splitmix64: small, fast and the same everywhere.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t next() {
        uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    // 0 .. bound - 1
    uint64_t below(uint64_t bound) { return next() % bound; }
    bool chance(int percent) { return below(100) < static_cast<uint64_t>(percent); }
    template <typename T, size_t N>
    const T& pick(const std::array<T, N>& items) {
        return items[below(N)];
    }

private:
    uint64_t state_;
};

struct Weapon {
    std::string_view name;
    std::string_view damageType;
};

constexpr std::array<Weapon, 24> kWeapons{{
    {"m16_mp", "MOD_RIFLE_BULLET"},
    {"ak47_mp", "MOD_RIFLE_BULLET"},
    {"m4_reflex_mp", "MOD_RIFLE_BULLET"},
    {"g3_silencer_mp", "MOD_RIFLE_BULLET"},
    {"mp5_mp", "MOD_RIFLE_BULLET"},
    {"ak74u_acog_mp", "MOD_RIFLE_BULLET"},
    {"p90_mp", "MOD_RIFLE_BULLET"},
    {"m21_mp", "MOD_RIFLE_BULLET"},
    {"remington700_mp", "MOD_RIFLE_BULLET"},
    {"barrett_acog_mp", "MOD_RIFLE_BULLET"},
    {"saw_grip_mp", "MOD_RIFLE_BULLET"},
    {"rpd_reflex_mp", "MOD_RIFLE_BULLET"},
    {"m1014_mp", "MOD_PISTOL_BULLET"},
    {"winchester1200_mp", "MOD_PISTOL_BULLET"},
    {"deserteagle_mp", "MOD_PISTOL_BULLET"},
    {"colt45_silencer_mp", "MOD_PISTOL_BULLET"},
    {"beretta_mp", "MOD_PISTOL_BULLET"},
    {"frag_grenade_mp", "MOD_GRENADE_SPLASH"},
    {"gl_ak47_mp", "MOD_GRENADE_SPLASH"},
    {"rpg_mp", "MOD_PROJECTILE_SPLASH"},
    {"c4_mp", "MOD_EXPLOSIVE"},
    {"claymore_mp", "MOD_EXPLOSIVE"},
    {"tnt_bomb_mp", "MOD_EXPLOSIVE"},
    {"knife_mp", "MOD_MELEE"},
}};

constexpr std::array<std::string_view, 14> kHitLocations{
    "torso_upper",     "torso_lower", "neck",       "left_arm_upper", "left_arm_lower", "right_arm_upper",
    "right_arm_lower", "left_hand",   "right_hand", "left_leg_upper", "left_leg_lower", "right_leg_upper",
    "right_leg_lower", "right_foot"};

constexpr std::array<std::string_view, 10> kMaps{
    "mp_backlot", "mp_crash",  "mp_crossfire", "mp_district",    "mp_overgrown",
    "mp_strike",  "mp_vacant", "mp_bloc",      "mp_citystreets", "mp_showdown"};

constexpr std::array<std::string_view, 5> kGameTypes{"war", "dm", "sd", "koth", "dom"};

constexpr std::array<std::string_view, 16> kNameParts{"Flo",
                                                      "Robert",
                                                      "Inima",
                                                      "Holzi",
                                                      "kipsate",
                                                      "N!ckname",
                                                      "Sniper",
                                                      "Ghost",
                                                      "Viper",
                                                      "O'Neil",
                                                      "Tom&Jerry",
                                                      "<Rex>",
                                                      "M\xfcller",
                                                      "Bj\xf6rn",
                                                      "\xc7"
                                                      "a\xf0i",
                                                      "Zed"};

constexpr std::array<std::string_view, 12> kChat{"gg",
                                                 "lol",
                                                 "nice shot!",
                                                 "QUICKMESSAGE_FOLLOW_ME",
                                                 "QUICKMESSAGE_ENEMY_SPOTTED",
                                                 "who's camping?",
                                                 "<3 this map",
                                                 "a & b > c",
                                                 "\x15rush B",
                                                 "caf\xe9 time",
                                                 "QUICKMESSAGE_IM_IN_POSITION",
                                                 "brb"};

struct Player {
    std::string guid;  // empty for a LAN player
    int id;
    std::string name;
};

std::vector<Player> makePlayers(Random& random, int count) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::vector<Player> players;
    for (int i = 0; i < count; ++i) {
        Player p;
        if (!random.chance(20)) {
            for (int k = 0; k < 32; ++k) p.guid += kHex[random.below(16)];
        }
        p.id = static_cast<int>(random.below(64));
        if (random.chance(30)) (p.name += '^') += static_cast<char>('0' + random.below(10));
        p.name += random.pick(kNameParts);
        if (random.chance(25)) (p.name += '^') += static_cast<char>('0' + random.below(10));
        p.name += std::to_string(i);
        players.push_back(std::move(p));
    }
    return players;
}

// Produces the log one line at a time.
class LogWriter {
public:
    explicit LogWriter(const LogShape& shape)
        : shape_(shape), random_(shape.seed), players_(makePlayers(random_, std::max(shape.players, 2))) {}

    bool done() const { return written_ >= shape_.lines; }

    // Appends the next line, LF included.
    void appendLine(std::string& out) {
        const int64_t left = shape_.lines - written_;
        if (inGame_ && (gameLeft_ <= 0 || left <= 3)) {
            endGame(out);
        } else if (!inGame_ && left > 2) {
            startGame(out);
        } else {
            event(out);
        }
    }

private:
    void prefix(std::string& out) {
        seconds_ += random_.below(3);
        if (seconds_ >= 1000 * 60) seconds_ = 0;  // the server clock restarts
        char text[16];
        std::snprintf(text, sizeof text, "%3d:%02d ", static_cast<int>(seconds_ / 60),
                      static_cast<int>(seconds_ % 60));
        out += text;
        ++written_;
    }

    void separator(std::string& out) {
        prefix(out);
        out += "------------------------------------------------------------\n";
    }

    void startGame(std::string& out) {
        if (!opened_) {
            separator(out);
            opened_ = true;
            return;
        }
        prefix(out);
        type_ = random_.pick(kGameTypes);
        out += "InitGame: \\g_compassShowEnemies\\0\\g_gametype\\";
        out += type_;
        out += "\\gamename\\Call of Duty 4\\mapname\\";
        out += random_.pick(kMaps);
        out +=
            "\\protocol\\6\\shortversion\\1.7\\sv_hostname\\^1Thornvale ^7<Clan> & Co\\sv_maxclients\\32\n";
        inGame_ = true;
        opened_ = false;
        gameLeft_ = shape_.linesPerGame / 2 + static_cast<int64_t>(random_.below(static_cast<uint64_t>(
                                                  std::max<int64_t>(shape_.linesPerGame, 1))));
    }

    void endGame(std::string& out) {
        prefix(out);
        if (closing_ == 0 && random_.chance(80)) {
            out += "ExitLevel: executed\n";
        } else if (closing_ <= 1) {
            out += "ShutdownGame:\n";
            closing_ = 1;
        } else {
            out += "------------------------------------------------------------\n";
            inGame_ = false;
            closing_ = -1;
        }
        ++closing_;
    }

    const Player& anyPlayer() { return players_[random_.below(players_.size())]; }

    std::string_view team() {
        if (type_ == "dm") return "";
        return random_.chance(50) ? "allies" : "axis";
    }

    void who(std::string& out, const Player& p, std::string_view team) {
        out += p.guid;
        (out += ';') += std::to_string(p.id);
        (out += ';') += team;
        (out += ';') += p.name;
        out += ';';
    }

    // Victim; attacker; weapon; damage; damage type; hit location (kill and damage lines).
    void hit(std::string& out, char code) {
        const Player& victim = anyPlayer();
        (out += code) += ';';
        who(out, victim, team());
        const uint64_t kind = random_.below(100);
        if (kind < 4) {  // the world: a fall or a trigger
            out += ";-1;world;;none;";
            out += std::to_string(random_.below(150) + 1);
            out += random_.chance(50) ? ";MOD_FALLING;none\n" : ";MOD_TRIGGER_HURT;none\n";
            return;
        }
        if (kind < 7) {  // suicide
            out += ";-1;;";
            out += victim.name;
            out += random_.chance(50) ? ";frag_grenade_mp;100000;MOD_SUICIDE;none\n"
                                      : ";tnt_bomb_mp;100000;MOD_SUICIDE;none\n";
            return;
        }
        // The team is drawn before the attacker, in this order on every compiler (as call
        // arguments their order would be the compiler's choice, and the log would differ).
        const std::string_view attackerTeam = team();
        who(out, anyPlayer(), attackerTeam);
        const Weapon& weapon = random_.pick(kWeapons);
        out += weapon.name;
        (out += ';') += std::to_string(random_.below(code == 'K' ? 140 : 60) + 1);
        const bool bullet = weapon.damageType.ends_with("BULLET");
        if (bullet && random_.chance(20)) {
            out += ";MOD_HEAD_SHOT;head\n";
            return;
        }
        (out += ';') += weapon.damageType;
        out += ';';
        out += bullet || weapon.damageType == "MOD_MELEE" ? random_.pick(kHitLocations) : "none";
        out += '\n';
    }

    void playerLine(std::string& out, std::string_view code, const Player& p) {
        out += code;
        (out += ';') += p.guid;
        (out += ';') += std::to_string(p.id);
        (out += ';') += p.name;
    }

    void event(std::string& out) {
        prefix(out);
        --gameLeft_;
        const uint64_t roll = random_.below(100);
        if (roll < 40) return hit(out, 'D');
        if (roll < 70) return hit(out, 'K');
        const Player& p = anyPlayer();
        if (roll < 75) {
            playerLine(out, "J", p);
        } else if (roll < 85) {
            playerLine(out, roll < 81 ? "say" : "sayteam", p);
            (out += ';') += random_.pick(kChat);
        } else if (roll < 95) {
            playerLine(out, "Weapon", p);
            (out += ';') += random_.pick(kWeapons).name;
        } else {
            playerLine(out, "Q", p);
        }
        out += '\n';
    }

    LogShape shape_;
    Random random_;
    std::vector<Player> players_;
    int64_t written_ = 0;
    int64_t seconds_ = 0;
    bool opened_ = false;  // separator written, InitGame next
    bool inGame_ = false;
    int64_t gameLeft_ = 0;
    int closing_ = 0;
    std::string_view type_ = "war";
};

}  // namespace

std::string generateLog(const LogShape& shape) {
    std::string out;
    out.reserve(static_cast<size_t>(std::max<int64_t>(shape.lines, 0)) * 140);
    for (LogWriter writer(shape); !writer.done();) writer.appendLine(out);
    return out;
}

void writeLog(const LogShape& shape, const std::string& path) {
    const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) throw std::runtime_error("cannot create " + path);
    std::string block;
    for (LogWriter writer(shape); !writer.done();) {
        writer.appendLine(block);
        if (block.size() >= (1 << 20) || writer.done()) {
            if (std::fwrite(block.data(), 1, block.size(), file.get()) != block.size())
                throw std::runtime_error("cannot write " + path);
            block.clear();
        }
    }
    if (std::fflush(file.get()) != 0) throw std::runtime_error("cannot write " + path);
}

}  // namespace gravmark::loggen
