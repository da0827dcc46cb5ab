#include "smoking/smoke_kind.h"

// Filled as the program starts, before anything asks for it: the list needs
// no start-up code of its own.
constinit SmokeKindList kSmokeKinds{};

ListedSmokeKind::ListedSmokeKind(const SmokeKind& kind) : kind_(kind) {
  SmokeKindList& list = kSmokeKinds;
  if (list.count == SmokeKindList::kMaxKinds) return;
  int at = list.count;
  while (at > 0 && list.kinds[at - 1]->order > kind.order) {
    list.kinds[at] = list.kinds[at - 1];
    --at;
  }
  list.kinds[at] = &kind;
  ++list.count;
}

ListedSmokeKind::~ListedSmokeKind() {
  SmokeKindList& list = kSmokeKinds;
  int kept = 0;
  for (int i = 0; i < list.count; ++i) {
    if (list.kinds[i] != &kind_) list.kinds[kept++] = list.kinds[i];
  }
  list.count = kept;
}
