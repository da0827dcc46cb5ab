// The plug-in's native catalogue against the game's own list of natives
// (gamedata/natives.tsv, written by the modding community, not by us): every
// row's hash is a native of the game, and the game takes the arguments the
// row pushes, of the kinds it pushes them, and gives the result it reads.
// Every row is named for the native it is in the game. Also: the simulator's
// table, generated from the same list at build time, holds every row of it.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "game_natives.h"
#include "host/native_catalogue.h"

namespace {

// What a word of the invocation carries, as far as the game is concerned.
enum class Kind { None, Word, Float, String, Pointer, Vector };

const char* Name(Kind kind) {
  switch (kind) {
    case Kind::None: return "nothing";
    case Kind::Word: return "a 32-bit word";
    case Kind::Float: return "a float";
    case Kind::String: return "a string";
    case Kind::Pointer: return "a pointer";
    case Kind::Vector: return "a Vector3";
  }
  return "?";
}

template <typename T>
constexpr Kind KindOf() {
  if constexpr (std::is_void_v<T>) return Kind::None;
  else if constexpr (std::is_same_v<T, float>) return Kind::Float;
  else if constexpr (std::is_same_v<T, const char*>) return Kind::String;
  else if constexpr (std::is_pointer_v<T>) return Kind::Pointer;
  else if constexpr (std::is_same_v<T, Vector3>) return Kind::Vector;
  else return Kind::Word;
}

// The list's types: int, BOOL, Hash, Any and the handle types are one word.
Kind KindOf(const std::string& type) {
  if (type == "void") return Kind::None;
  if (type == "float") return Kind::Float;
  if (type == "const char*") return Kind::String;
  if (!type.empty() && type.back() == '*') return Kind::Pointer;
  if (type == "Vector3") return Kind::Vector;
  return Kind::Word;
}

struct Signature {
  std::string name;
  Kind result = Kind::None;
  std::vector<Kind> args;  // a variadic native: its fixed arguments
  bool variadic = false;
};

std::map<uint64_t, Signature> ReadTheGamesList() {
  std::map<uint64_t, Signature> natives;
  std::ifstream file(EMBERWICK_GAMEDATA_DIR "/natives.tsv");
  std::string line;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> columns;
    std::istringstream fields(line);
    for (std::string column; std::getline(fields, column, '\t');) columns.push_back(column);
    if (columns.size() == 4) columns.insert(columns.begin() + 3, "");  // no parameters
    if (columns.size() != 5) {
      ADD_FAILURE() << "cannot read the row: " << line;
      continue;
    }
    Signature signature{columns[1], KindOf(columns[2]), {}, columns[4] == "1"};
    std::istringstream params(columns[3]);
    for (std::string param; std::getline(params, param, ',');) {
      if (param.rfind("...", 0) == 0) continue;
      signature.args.push_back(KindOf(param.substr(0, param.rfind(' '))));
    }
    natives[std::stoull(columns[0], nullptr, 16)] = signature;
  }
  return natives;
}

struct Row {
  const char* name;
  uint64_t hash;
  Kind result;
  std::vector<Kind> args;
};

template <typename... Args>
std::vector<Kind> KindsOf() {
  return {KindOf<Args>()...};
}

std::vector<Row> TheCatalogue() {
  std::vector<Row> rows;
#define EMBERWICK_TEST_ROW(Name, NativeHash, Result, ...) \
  rows.push_back(Row{#Name, NativeHash, KindOf<Result>(), KindsOf<__VA_ARGS__>()});
  EMBERWICK_NATIVE_CATALOGUE(EMBERWICK_TEST_ROW)
#undef EMBERWICK_TEST_ROW
  return rows;
}

// How the row departs from the game's signature; empty when it does not. A
// row that reads no result may leave the game's result unread.
std::string Disagreement(const Row& row, const std::map<uint64_t, Signature>& game) {
  const auto found = game.find(row.hash);
  if (found == game.end()) return "no native of the game has this hash";
  const Signature& native = found->second;
  std::ostringstream out;
  out << native.name << ": ";
  if (row.args.size() < native.args.size() || (!native.variadic && row.args.size() != native.args.size())) {
    out << "pushes " << row.args.size() << " arguments, the game takes " << (native.variadic ? "at least " : "")
        << native.args.size();
    return out.str();
  }
  for (size_t i = 0; i < native.args.size(); ++i) {
    if (row.args[i] != native.args[i]) {
      out << "argument " << i + 1 << " is " << Name(row.args[i]) << ", the game takes " << Name(native.args[i]);
      return out.str();
    }
  }
  if (row.result != Kind::None && row.result != native.result) {
    out << "reads " << Name(row.result) << ", the game gives " << Name(native.result);
    return out.str();
  }
  return {};
}

TEST(NativeCatalogue, EveryRowAgreesWithTheGamesSignature) {
  const std::map<uint64_t, Signature> game = ReadTheGamesList();
  ASSERT_EQ(game.size(), 7132u) << "gamedata/natives.tsv is not the list it was";
  const std::vector<Row> rows = TheCatalogue();
  EXPECT_EQ(rows.size(), 146u);
  for (const Row& row : rows) {
    EXPECT_EQ(Disagreement(row, game), "") << row.name;
  }
}

// The comparison catches what the catalogue once got wrong.
TEST(NativeCatalogue, TheComparisonCatchesACountAKindAndAResult) {
  const std::map<uint64_t, Signature> game = ReadTheGamesList();
  const struct {
    Row row;
    const char* expected;
  } cases[] = {
      {{"SpecialAbilityRestoreByAmount", 0x51345AE20F22C261ull, Kind::None, {Kind::Word, Kind::Float}},
       "PLAYER::_SPECIAL_ABILITY_RESTORE_BY_AMOUNT: pushes 2 arguments, the game takes 5"},
      {{"StartTaskItemInteraction", 0xAE72E7DF013AAA61ull, Kind::None,
        {Kind::Word, Kind::Word, Kind::Word, Kind::Word, Kind::Word, Kind::Word}},
       "TASK::START_TASK_ITEM_INTERACTION: argument 6 is a 32-bit word, the game takes a float"},
      {{"GetGameTimer", 0x4F67E8ECA7D3F667ull, Kind::Float, {}},
       "MISC::GET_GAME_TIMER: reads a float, the game gives a 32-bit word"},
      {{"VarString", 0xFA925AC00EB830B9ull, Kind::String, {}},
       "MISC::VAR_STRING: pushes 0 arguments, the game takes at least 1"},
      {{"Invented", 0x1234ull, Kind::None, {}}, "no native of the game has this hash"},
  };
  for (const auto& c : cases) EXPECT_EQ(Disagreement(c.row, game), c.expected) << c.row.name;
}

// A row's name says which native of the game it is: the community's name
// without its namespace and a guessed name's leading '_', in the code's
// CamelCase (GET_PED_CROUCH_MOVEMENT is GetPedCrouchMovement; where the words
// break is the code's choice, so CREATE_ITEMSET may be CreateItemSet).
bool NamedForTheGamesNative(const std::string& row, const std::string& community) {
  std::string game = community.substr(community.rfind(':') + 1);
  if (!game.empty() && game[0] == '_') game.erase(0, 1);
  std::string letters;
  for (char c : game) {
    if (c != '_') letters += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  std::string name;
  for (char c : row) name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return !letters.empty() && letters == name && std::isupper(static_cast<unsigned char>(row[0]));
}

// Rows that keep a name of their own, and why.
const std::map<std::string, std::string> kNamedOtherwise = {
    {"HoldSittingCamera",
     "the community has no name for 0x71D71E08A7ED5BD7; named for what the sitting camera hold does with it"},
    {"IsInputJustPressed",
     "the community has no name for 0xD6BD313CFA41E57A; named for how the quick-use item's press is watched"},
};

TEST(NativeCatalogue, EveryRowIsNamedForTheGamesNative) {
  const std::map<uint64_t, Signature> game = ReadTheGamesList();
  std::map<std::string, std::string> otherwise = kNamedOtherwise;
  for (const Row& row : TheCatalogue()) {
    const auto found = game.find(row.hash);
    ASSERT_NE(found, game.end()) << row.name;
    const std::string& community = found->second.name;
    const bool named = NamedForTheGamesNative(row.name, community);
    if (otherwise.erase(row.name)) {
      EXPECT_FALSE(named) << row.name << " is named for " << community << ": it needs no exception";
      EXPECT_NE(community.find("::_0x"), std::string::npos) << row.name << " is " << community;
      continue;
    }
    EXPECT_TRUE(named) << row.name << " is " << community << " in the game: name the row for it";
  }
  for (const auto& [name, why] : otherwise) ADD_FAILURE() << "no row " << name << " (" << why << ")";
}

TEST(NativeCatalogue, ANameForABeliefIsNoNameOfTheGame) {
  const struct {
    const char* row;
    const char* community;
    bool named;
  } cases[] = {
      {"GetPedCrouchMovement", "PED::GET_PED_CROUCH_MOVEMENT", true},
      {"IsQuickEmoteBlocked", "PED::GET_PED_CROUCH_MOVEMENT", false},
      {"IsAnimSceneCamActive", "CAM::_IS_ANIM_SCENE_CAM_ACTIVE", true},
      {"CreateItemSet", "ITEMSET::CREATE_ITEMSET", true},
      {"GetPedCrouch", "PED::GET_PED_CROUCH_MOVEMENT", false},
      {"getPedCrouchMovement", "PED::GET_PED_CROUCH_MOVEMENT", false},
  };
  for (const auto& c : cases) EXPECT_EQ(NamedForTheGamesNative(c.row, c.community), c.named) << c.row;
}

TEST(NativeCatalogue, TheSimulatorsTableHoldsTheWholeList) {
  const std::map<uint64_t, Signature> game = ReadTheGamesList();
  EXPECT_EQ(sim::GameNativeCount(), game.size());
  for (const auto& [hash, signature] : game) {
    const sim::GameNative* native = sim::FindGameNative(hash);
    ASSERT_NE(native, nullptr) << signature.name;
    EXPECT_EQ(native->name, signature.name);
    EXPECT_EQ(std::string(native->args).size(), signature.args.size()) << signature.name;
    EXPECT_EQ(native->variadic, signature.variadic) << signature.name;
  }
}

}  // namespace
