#include "input/inventory.h"

bool HasCigaretteItem() { return true; }
bool HasCigarItem() { return true; }
void ConsumeCigaretteBox() {}
void ConsumeCheapCigaretteBox() {}
ItemSlot FindItemSlot(Hash) { return ItemSlot{}; }
