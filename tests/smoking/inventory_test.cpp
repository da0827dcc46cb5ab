// The items that gate a smoke and the boxes it uses up.
#include <gtest/gtest.h>

#include <string>

#include "config/settings.h"
#include "rules/smoking_controller.h"
#include "rules/world_rules.h"
#include "smoking/inventory.h"
#include "smoking/smoking_state.h"
#include "support/plugin_session.h"

namespace {

using test::PluginTest;

class Inventory : public PluginTest {
 protected:
  void SetUp() override { BLOCK_SMOKING_IF_NO_ITEM = true; }
  void Have(const char* item, int count) {
    std::string error;
    ASSERT_TRUE(sim.Set(std::string("inventory.") + item, std::to_string(count), error)) << error;
  }
  int Count(const char* item) { return sim.world.inventory.Count(sim.Hash(item)); }
  bool Ask(bool (*check)()) {
    bool result = false;
    OnScript([&] { result = check(); });
    return result;
  }
};

TEST_F(Inventory, AnEmptyInventoryBlocksOnlyWhenTheSettingSaysSo) {
  EXPECT_FALSE(Ask(HasCigaretteItem));
  EXPECT_FALSE(Ask(HasCigarItem));
  BLOCK_SMOKING_IF_NO_ITEM = false;
  EXPECT_TRUE(Ask(HasCigaretteItem));
  EXPECT_TRUE(Ask(HasCigarItem));
  OnScript([] { ConsumeCigaretteBox(); });
  EXPECT_EQ(CountCalls("InventoryRemoveItem"), 0u);
}

TEST_F(Inventory, EitherKindOfBoxAllowsACigarette) {
  Have(kCheapCigaretteBoxItem, 1);
  EXPECT_TRUE(Ask(HasCigaretteItem));
  Have(kCheapCigaretteBoxItem, 0);
  Have(kCigaretteBoxItem, 2);
  EXPECT_TRUE(Ask(HasCigaretteItem));
  EXPECT_FALSE(Ask(HasCigarItem));
  Have(kCigarItem, 1);
  EXPECT_TRUE(Ask(HasCigarItem));
}

TEST_F(Inventory, ALitCigaretteUsesARegularBoxBeforeACheapOne) {
  Have(kCigaretteBoxItem, 2);
  Have(kCheapCigaretteBoxItem, 3);
  OnScript([] { ConsumeCigaretteBox(); });
  EXPECT_EQ(Count(kCigaretteBoxItem), 1);
  EXPECT_EQ(Count(kCheapCigaretteBoxItem), 3);
  auto removals = Calls("InventoryRemoveItem");
  ASSERT_EQ(removals.size(), 1u);
  EXPECT_EQ(removals[0]->I(0), 1);
  EXPECT_EQ(removals[0]->I(2), 1);
  EXPECT_EQ(removals[0]->U(3), sim.Hash("REMOVE_REASON_USED"));

  Have(kCigaretteBoxItem, 0);
  OnScript([] { ConsumeCigaretteBox(); });
  EXPECT_EQ(Count(kCheapCigaretteBoxItem), 2);
  EXPECT_TRUE(sim.timeline.Contains("inventory", "removed 1 consumable_cigarette_box_cheap (REMOVE_REASON_USED)"));
}

TEST_F(Inventory, OnlyCheapBoxesStayWhereTheyAreForTheQuickEmote) {
  Have(kCheapCigaretteBoxItem, 4);
  OnScript([] { ConsumeCheapCigaretteBox(); });
  EXPECT_EQ(Count(kCheapCigaretteBoxItem), 4);
  EXPECT_EQ(removedCheapBoxCount, 0);
  EXPECT_EQ(cheapBoxRemovalTime, 0);
}

TEST_F(Inventory, CheapBoxesAreHiddenFromTheEmoteAndGivenBack) {
  Have(kCigaretteBoxItem, 1);
  Have(kCheapCigaretteBoxItem, 4);
  OnScript([] { ConsumeCheapCigaretteBox(); });
  EXPECT_EQ(Count(kCheapCigaretteBoxItem), 0);
  EXPECT_EQ(Count(kCigaretteBoxItem), 1);
  EXPECT_EQ(removedCheapBoxCount, 4);
  EXPECT_NE(cheapBoxRemovalTime, 0);

  sim.ClearCalls();
  OnScript([] { RestoreCheapBoxes(removedCheapBoxCount); });
  EXPECT_EQ(Count(kCheapCigaretteBoxItem), 4);
  ASSERT_EQ(CountCalls("InventoryItemCheck"), 1u);
  auto adds = Calls("InventoryAddItem");
  ASSERT_EQ(adds.size(), 1u);
  EXPECT_EQ(adds[0]->U(3), sim.Hash(kCheapCigaretteBoxItem));
  EXPECT_EQ(adds[0]->U(4), sim.Hash("SLOTID_SATCHEL"));
  EXPECT_EQ(adds[0]->I(5), 4);
  EXPECT_EQ(adds[0]->U(6), sim.Hash("ADD_REASON_DEFAULT"));
  EXPECT_TRUE(sim.timeline.Contains("inventory", "added 4 consumable_cigarette_box_cheap to SLOTID_SATCHEL"));
  EXPECT_TRUE(sim.Errors().empty()) << sim.Errors().front();
}

TEST_F(Inventory, NothingIsGivenBackWhenTheItemQueryFails) {
  std::string error;
  ASSERT_TRUE(sim.Set("inventory.item_check", "fail", error)) << error;
  OnScript([] { RestoreCheapBoxes(2); });
  EXPECT_EQ(CountCalls("InventoryAddItem"), 0u);
  EXPECT_EQ(Count(kCheapCigaretteBoxItem), 0);
}

TEST_F(Inventory, ACigarCannotStartWithinTwoSecondsOfTheQuickUseInput) {
  Have(kCigarItem, 1);
  Start();
  quickUseItemPressTime = sim.GameTimerMs();
  Ms(100);
  EXPECT_FALSE(Ask(HasCigarItem));
  Ms(1800);
  EXPECT_FALSE(Ask(HasCigarItem));
  Ms(150);
  EXPECT_TRUE(Ask(HasCigarItem));
  quickUseItemPressTime = sim.GameTimerMs() + 5000;  // not yet reached
  EXPECT_TRUE(Ask(HasCigarItem));
}

class ItemSlots : public Inventory {
 protected:
  ItemSlot Find(const char* item) {
    ItemSlot slot{};
    const Hash hash = sim.Hash(item);
    OnScript([&] { slot = FindItemSlot(hash); });
    return slot;
  }
  void Group(const char* item, uint32_t group) { sim.world.inventory.groups[sim.Hash(item)] = group; }
  void Fits(const char* item, std::initializer_list<const char*> slots) {
    auto& fits = sim.world.inventory.fits[sim.Hash(item)];
    for (const char* slot : slots) fits.insert(sim.Hash(slot));
  }
  static bool Zero(const uint8_t* bytes, size_t n) {
    for (size_t i = 0; i < n; ++i)
      if (bytes[i]) return false;
    return true;
  }
};

TEST_F(ItemSlots, AnOrdinaryItemGoesToTheSatchelUnderTheCharacter) {
  ItemSlot slot = Find("consumable_cigarette_box_cheap");
  EXPECT_EQ(slot.slot, sim.Hash("SLOTID_SATCHEL"));
  EXPECT_FALSE(Zero(slot.parentGuid, 32));
  EXPECT_TRUE(Zero(slot.reserved, 24));
  EXPECT_EQ(slot.reserved2, 0u);
  auto guids = Calls("InventoryItemGuid");
  ASSERT_EQ(guids.size(), 1u);
  EXPECT_EQ(guids[0]->U(2), sim.Hash("CHARACTER"));
  EXPECT_EQ(guids[0]->U(3), sim.Hash("SLOTID_NONE"));
}

TEST_F(ItemSlots, GroupsChooseTheirSlots) {
  Group("upgrade_item", 0x80FB92CD);
  Fits("upgrade_item", {"SLOTID_UPGRADE"});
  EXPECT_EQ(Find("upgrade_item").slot, sim.Hash("SLOTID_UPGRADE"));
  Group("upgrade_misfit", 0x80FB92CD);
  Fits("upgrade_misfit", {"SLOTID_WARDROBE"});
  EXPECT_EQ(Find("upgrade_misfit").slot, sim.Hash("SLOTID_SATCHEL"));
  Group("horse_item", 0x95A6F147);
  EXPECT_EQ(Find("horse_item").slot, sim.Hash("SLOTID_ACTIVE_HORSE"));
  Group("coat", 0xC2286F01);
  Fits("coat", {"SLOTID_WARDROBE"});
  EXPECT_EQ(Find("coat").slot, sim.Hash("SLOTID_WARDROBE"));
}

TEST_F(ItemSlots, AWardrobeItemThatDoesNotFitGoesUnderTheWardrobe) {
  Group("hat", 0xC2286F01);
  Fits("hat", {"SLOTID_SATCHEL"});
  ItemSlot slot = Find("hat");
  EXPECT_EQ(slot.slot, sim.Hash("SLOTID_SATCHEL"));  // the simulated game's default slot
  auto guids = Calls("InventoryItemGuid");
  ASSERT_EQ(guids.size(), 2u);
  EXPECT_EQ(guids[1]->U(2), sim.Hash("WARDROBE"));
  EXPECT_EQ(guids[1]->U(3), sim.Hash("SLOTID_WARDROBE"));
  auto defaults = Calls("DefaultSlotForItem");
  ASSERT_EQ(defaults.size(), 1u);
  EXPECT_EQ(defaults[0]->U(1), sim.Hash("WARDROBE"));
}

TEST_F(ItemSlots, TheFallbackTriesSatchelThenWardrobeThenTheDefault) {
  Fits("boots", {"SLOTID_WARDROBE"});
  EXPECT_EQ(Find("boots").slot, sim.Hash("SLOTID_WARDROBE"));
  Fits("odd", {"SLOTID_NOWHERE"});
  Find("odd");
  auto defaults = Calls("DefaultSlotForItem");
  ASSERT_EQ(defaults.size(), 1u);
  EXPECT_EQ(defaults[0]->U(1), sim.Hash("CHARACTER"));
  sim.world.inventory.invalidItems.insert(sim.Hash("unknown"));
  Fits("unknown", {"SLOTID_WARDROBE"});
  Group("unknown", 0x95A6F147);  // not consulted: the item key is not valid
  EXPECT_EQ(Find("unknown").slot, sim.Hash("SLOTID_WARDROBE"));
}

}  // namespace
