// Where each kind's prop sits: the seat of its model for the character's head
// rig, the user's offsets on the bone's own axes, and the bones looked up.
#include <gtest/gtest.h>

#include <string>

#include "config/settings.h"
#include "sequences/cigar.h"
#include "sequences/cigarette.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoke_kind.h"
#include "support/plugin_session.h"

namespace {

using test::PluginTest;

void ExpectSeat(const PropSeat& actual, const PropSeat& expected) {
  EXPECT_FLOAT_EQ(actual.x, expected.x);
  EXPECT_FLOAT_EQ(actual.y, expected.y);
  EXPECT_FLOAT_EQ(actual.z, expected.z);
  EXPECT_FLOAT_EQ(actual.rx, expected.rx);
  EXPECT_FLOAT_EQ(actual.ry, expected.ry);
  EXPECT_FLOAT_EQ(actual.rz, expected.rz);
}

class PropAttachment : public PluginTest {
 protected:
  void SetUp() override {
    USE_ALTERNATIVE_CIGARETTE_MODEL = false;
    USE_PROP_OFFSETS = false;
    kCigar.fit.model = kCigar.standardModel;
  }
  void Model(const std::string& name) {
    std::string error;
    ASSERT_TRUE(sim.Set("player.model", name, error)) << error;
  }
  void Update() { OnScript([] { UpdatePropAttachment(); }); }
  void UserOffsets() {
    USE_PROP_OFFSETS = true;
    CIGARETTE_X_OFFSET = 0.01f;
    CIGARETTE_Y_OFFSET = 0.02f;
    CIGARETTE_Z_OFFSET = 0.03f;
    CIGARETTE_ROTX_OFFSET = 1.0f;
    CIGARETTE_ROTY_OFFSET = 2.0f;
    CIGARETTE_ROTZ_OFFSET = 3.0f;
    CIGAR_X_OFFSET = 0.1f;
    CIGAR_Y_OFFSET = 0.2f;
    CIGAR_Z_OFFSET = 0.3f;
    CIGAR_ROTX_OFFSET = 10.0f;
    CIGAR_ROTY_OFFSET = 20.0f;
    CIGAR_ROTZ_OFFSET = 30.0f;
  }
  int Bone(const char* name) { return sim.world.characters.BoneIndex(name); }
};

// Every kind in each of its models, on each character: the model's seat for
// that character's rig, on the rig's mouth bone.
TEST_F(PropAttachment, EachRigTakesItsOwnSeatOnItsOwnBone) {
  struct Case {
    const char* model;
    PropSeat SmokeModel::*seat;
    const char* bone;
  };
  const Case cases[] = {
      {"PLAYER_ZERO", &SmokeModel::mouth, "10509"},
      {"CS_JOHNMARSTON", &SmokeModel::laterStoryMouth, "10509"},
      {"PLAYER_THREE", &SmokeModel::laterStoryMouth, "10509"},
      {"MP_MALE", &SmokeModel::headMouth, "skel_head"},
  };
  for (const Case& c : cases) {
    for (const SmokeKind* kind : kSmokeKinds) {
      for (bool alternative : {false, true}) {
        SCOPED_TRACE(std::string(c.model) + " " + kind->name + (alternative ? " alternative" : " standard"));
        Model(c.model);
        const SmokeModel* model = alternative ? kind->alternativeModel : kind->standardModel;
        // The setting its description reads the choice from, or the model it was lit with.
        *const_cast<bool*>(kind->useAlternativeModel) = alternative;
        if (kind->keepsModelOnceLit) kind->fit.model = model;
        Update();
        EXPECT_EQ(kind->fit.model, model);
        ExpectSeat(kind->fit.mouth, model->*c.seat);
        EXPECT_EQ(mouthBoneIndex, Bone(c.bone));
      }
    }
  }
  EXPECT_TRUE(sim.Errors().empty());
}

// The cigarette is always the model the settings ask for; a cigar keeps the
// one it was lit with, so a reload in the middle of a smoke changes nothing.
TEST_F(PropAttachment, OnlyTheCigaretteFollowsTheSettingEveryFrame) {
  Model("PLAYER_ZERO");
  USE_ALTERNATIVE_CIGARETTE_MODEL = true;
  USE_SHORT_CIGAR_MODEL = true;
  Update();
  EXPECT_STREQ(ModelOf(kCigarette).name, "p_cigarette_cs02x");
  EXPECT_STREQ(ModelOf(kCigar).name, "p_cigar02x");
  USE_ALTERNATIVE_CIGARETTE_MODEL = false;
  Update();
  EXPECT_STREQ(ModelOf(kCigarette).name, "p_cigarette01x");
  USE_SHORT_CIGAR_MODEL = false;
}

TEST_F(PropAttachment, UserOffsetsOnAStoryCharacterGoToTheirOwnAxes) {
  Model("PLAYER_ZERO");
  UserOffsets();
  Update();
  const PropSeat cigarette = kCigarette.standardModel->mouth;
  ExpectSeat(kCigarette.fit.mouth, {cigarette.x + 0.01f, cigarette.y + 0.02f, cigarette.z + 0.03f,
                                     cigarette.rx + 1.0f, cigarette.ry + 2.0f, cigarette.rz + 3.0f});
  const PropSeat cigar = kCigar.standardModel->mouth;
  ExpectSeat(kCigar.fit.mouth, {cigar.x + 0.1f, cigar.y + 0.2f, cigar.z + 0.3f, cigar.rx + 10.0f, cigar.ry + 20.0f,
                                 cigar.rz + 30.0f});
}

TEST_F(PropAttachment, UserOffsetsOnTheHeadBoneAreTurnedOntoItsAxes) {
  Model("MP_FEMALE");
  USE_PROP_OFFSETS = true;
  CIGARETTE_X_OFFSET = 0.01f;
  CIGARETTE_Y_OFFSET = CIGARETTE_Z_OFFSET = 0.0f;
  CIGARETTE_ROTX_OFFSET = CIGARETTE_ROTY_OFFSET = CIGARETTE_ROTZ_OFFSET = 0.0f;
  CIGAR_X_OFFSET = CIGAR_Y_OFFSET = CIGAR_ROTX_OFFSET = CIGAR_ROTY_OFFSET = CIGAR_ROTZ_OFFSET = 0.0f;
  CIGAR_Z_OFFSET = 0.5f;
  Update();
  const PropSeat cigarette = kCigarette.standardModel->headMouth;
  EXPECT_FLOAT_EQ(kCigarette.fit.mouth.z, cigarette.z + 0.01f);
  EXPECT_FLOAT_EQ(kCigarette.fit.mouth.x, cigarette.x);
  EXPECT_FLOAT_EQ(kCigarette.fit.mouth.y, cigarette.y);
  const PropSeat cigar = kCigar.standardModel->headMouth;
  EXPECT_FLOAT_EQ(kCigar.fit.mouth.y, cigar.y + 0.5f);
  EXPECT_FLOAT_EQ(kCigar.fit.mouth.z, cigar.z);
}

TEST_F(PropAttachment, OffsetsNeverAccumulateOverFrames) {
  Start();
  Model("PLAYER_ZERO");
  ENABLED = true;
  UserOffsets();
  Frames(30);
  EXPECT_FLOAT_EQ(kCigarette.fit.mouth.x, 0.019f + 0.01f);
  EXPECT_FLOAT_EQ(kCigar.fit.mouth.rz, -60.8f + 30.0f);
  Update();
  Update();
  EXPECT_FLOAT_EQ(kCigarette.fit.mouth.x, 0.019f + 0.01f);
  EXPECT_FLOAT_EQ(kCigar.fit.mouth.rz, -60.8f + 30.0f);
}

TEST_F(PropAttachment, TheBonesAreLookedUpEveryFrameAndAModelChangeIsSeen) {
  Start();
  ENABLED = true;
  Model("PLAYER_ZERO");
  sim.ClearCalls();
  Frames(1);
  EXPECT_TRUE(IsStoryCharacter());
  EXPECT_EQ(mouthBoneIndex, Bone("10509"));
  EXPECT_EQ(handBoneIndex, Bone("ph_r_hand"));
  EXPECT_EQ(fingerBoneIndex, Bone("skel_r_finger13"));
  EXPECT_EQ(matchBoneIndex, Bone("skel_r_finger02"));
  EXPECT_EQ(handAuxBoneIndex, Bone("xh_r_hand00"));
  ASSERT_EQ(Calls("GetPedBoneIndex").size(), 1u);
  EXPECT_EQ(Calls("GetPedBoneIndex")[0]->I(1), 10509);
  Model("MP_MALE");
  Frames(1);
  EXPECT_FALSE(IsStoryCharacter());
  EXPECT_EQ(mouthBoneIndex, Bone("skel_head"));
  ExpectSeat(kCigarette.fit.mouth, kCigarette.standardModel->headMouth);
}

TEST_F(PropAttachment, AMissingBoneGivesTheGamesAnswer) {
  Model("MP_MALE");
  std::string error;
  ASSERT_TRUE(sim.Set("player.missing_bones", "skel_r_finger13", error)) << error;
  Update();
  EXPECT_EQ(fingerBoneIndex, -1);
  EXPECT_EQ(handBoneIndex, Bone("ph_r_hand"));
}

}  // namespace
