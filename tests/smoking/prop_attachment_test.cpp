// Where the cigarette and cigar sit, per character model and prop model.
#include <gtest/gtest.h>

#include <string>

#include "config/settings.h"
#include "smoking/prop_attachment.h"
#include "support/plugin_session.h"

namespace {

using test::PluginTest;

struct Placement {
  float x, y, z, rx, ry, rz;
};

void ExpectPlacement(const Placement& actual, const Placement& expected) {
  EXPECT_FLOAT_EQ(actual.x, expected.x);
  EXPECT_FLOAT_EQ(actual.y, expected.y);
  EXPECT_FLOAT_EQ(actual.z, expected.z);
  EXPECT_FLOAT_EQ(actual.rx, expected.rx);
  EXPECT_FLOAT_EQ(actual.ry, expected.ry);
  EXPECT_FLOAT_EQ(actual.rz, expected.rz);
}

Placement CigaretteMouth() {
  return {cigaretteMouthOffsetX, cigaretteMouthOffsetY, cigaretteMouthOffsetZ,
          cigaretteMouthRotX,    cigaretteMouthRotY,    cigaretteMouthRotZ};
}
Placement CigarMouth() {
  return {cigarMouthOffsetX, cigarMouthOffsetY, cigarMouthOffsetZ, cigarMouthRotX, cigarMouthRotY, cigarMouthRotZ};
}
Placement CigarHand() {
  return {cigarHandOffsetX, cigarHandOffsetY, cigarHandOffsetZ, cigarHandRotX, cigarHandRotY, cigarHandRotZ};
}
Placement CigarTip() {
  return {cigarTipOffsetX, cigarTipOffsetY, cigarTipOffsetZ, cigarTipRotX, cigarTipRotY, cigarTipRotZ};
}

class PropAttachment : public PluginTest {
 protected:
  void SetUp() override {
    USE_ALTERNATIVE_CIGARETTE_MODEL = false;
    USE_PROP_OFFSETS = false;
    cigarModel = kLongCigarModel;
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

TEST_F(PropAttachment, ArthurWithTheRegularCigarette) {
  Model("PLAYER_ZERO");
  Update();
  EXPECT_STREQ(cigaretteModel, "p_cigarette01x");
  EXPECT_FLOAT_EQ(cigaretteTipOffset, -0.05f);
  ExpectPlacement(CigaretteMouth(), {0.019f, 0.0019f, 0.00539f, 1.4f, 98.5f, 0.0f});
  ExpectPlacement(CigarMouth(), {0.0322f, 0.009f, 0.0522f, 85.299f, -0.4f, -60.8f});
  ExpectPlacement(CigarHand(), {0, 0, 0, 0, 0, 0});
  ExpectPlacement(CigarTip(), {0.0f, 0.09f, 0.01f, 0.0f, 0.0f, -180.0f});
  EXPECT_FLOAT_EQ(cigarSmokeFxAlpha, 0.4f);
  EXPECT_FLOAT_EQ(cigarSmokeFxScale, 1.0f);
  EXPECT_TRUE(IsStoryCharacter());

  EXPECT_EQ(mouthBoneIndex, Bone("10509"));
  EXPECT_EQ(handBoneIndex, Bone("ph_r_hand"));
  EXPECT_EQ(fingerBoneIndex, Bone("skel_r_finger13"));
  EXPECT_EQ(matchBoneIndex, Bone("skel_r_finger02"));
  EXPECT_EQ(handAuxBoneIndex, Bone("xh_r_hand00"));
  ASSERT_EQ(Calls("BoneIndexOfPedBone").size(), 1u);
  EXPECT_EQ(Calls("BoneIndexOfPedBone")[0]->I(1), 10509);
}

TEST_F(PropAttachment, TheAlternativeCigarette) {
  Model("PLAYER_ZERO");
  USE_ALTERNATIVE_CIGARETTE_MODEL = true;
  Update();
  EXPECT_STREQ(cigaretteModel, "p_cigarette_cs02x");
  EXPECT_FLOAT_EQ(cigaretteTipOffset, -0.042f);
  ExpectPlacement(CigaretteMouth(), {0.019f, 0.002f, 0.0117f, 1.4f, 97.89f, 0.0f});
}

TEST_F(PropAttachment, JohnAndTheEpilogueModelShareTheirRig) {
  for (const char* model : {"CS_JOHNMARSTON", "PLAYER_THREE"}) {
    for (bool alternative : {false, true}) {
      SCOPED_TRACE(std::string(model) + (alternative ? " alternative" : " regular"));
      Model(model);
      USE_ALTERNATIVE_CIGARETTE_MODEL = alternative;
      cigarModel = kLongCigarModel;
      Update();
      ExpectPlacement(CigaretteMouth(), {0.019f, 0.0006f, 0.0117f, 1.4f, 99.89f, 0.0f});
      ExpectPlacement(CigarMouth(), {0.033f, 0.01f, 0.0522f, 85.299f, -0.4f, -60.8f});
      EXPECT_EQ(mouthBoneIndex, Bone("10509"));
      cigarModel = kShortLitCigarModel;
      Update();
      ExpectPlacement(CigarMouth(), {0.02f, -0.001f, 0.0122f, 170.299f, -90.4f, -85.8f});
    }
  }
}

TEST_F(PropAttachment, TheShortLitCigarOnArthur) {
  Model("PLAYER_ZERO");
  cigarModel = kShortLitCigarModel;
  Update();
  EXPECT_TRUE(IsShortCigarModel());
  ExpectPlacement(CigarMouth(), {0.0202f, 0.002f, 0.0122f, 170.299f, -90.4f, -85.8f});
  ExpectPlacement(CigarHand(), {0.003f, -0.05f, 0.0122f, 250.0f, -3.0f, -85.8f});
  ExpectPlacement(CigarTip(), {-0.055f, 0.0f, 0.0f, 0.0f, 0.0f, -90.0f});
  EXPECT_FLOAT_EQ(cigarSmokeFxAlpha, 0.15f);
  EXPECT_FLOAT_EQ(cigarSmokeFxScale, 0.62f);
}

TEST_F(PropAttachment, AnyOtherModelHangsThePropOffItsHead) {
  Model("MP_MALE");
  Update();
  EXPECT_FALSE(IsStoryCharacter());
  EXPECT_EQ(mouthBoneIndex, Bone("skel_head"));
  ExpectPlacement(CigaretteMouth(), {-0.0195f, 0.087f, -0.014f, -17.0f, -27.0f, -100.0f});
  ExpectPlacement(CigarMouth(), {-0.0097f, 0.146f, -0.032f, -21.0f, -100.0f, 0.0f});
  cigarModel = kShortLitCigarModel;
  Update();
  ExpectPlacement(CigarMouth(), {-0.0177f, 0.116f, -0.019f, 69.0f, -93.0f, 0.0f});
  ExpectPlacement(CigarHand(), {0.003f, -0.05f, 0.0122f, 250.0f, -3.0f, -85.8f});
}

TEST_F(PropAttachment, UserOffsetsOnAStoryCharacterGoToTheirOwnAxes) {
  Model("PLAYER_ZERO");
  UserOffsets();
  Update();
  ExpectPlacement(CigaretteMouth(), {0.019f + 0.01f, 0.0019f + 0.02f, 0.00539f + 0.03f, 2.4f, 100.5f, 3.0f});
  ExpectPlacement(CigarMouth(), {0.0322f + 0.1f, 0.009f + 0.2f, 0.0522f + 0.3f, 95.299f, 19.6f, -30.8f});
  // Only the mouth moves.
  ExpectPlacement(CigarHand(), {0, 0, 0, 0, 0, 0});
  ExpectPlacement(CigarTip(), {0.0f, 0.09f, 0.01f, 0.0f, 0.0f, -180.0f});
  EXPECT_FLOAT_EQ(cigaretteTipOffset, -0.05f);
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
  EXPECT_FLOAT_EQ(cigaretteMouthOffsetZ, -0.004f);
  EXPECT_FLOAT_EQ(cigaretteMouthOffsetX, -0.0195f);
  EXPECT_FLOAT_EQ(cigaretteMouthOffsetY, 0.087f);
  EXPECT_FLOAT_EQ(cigarMouthOffsetY, 0.146f + 0.5f);
  EXPECT_FLOAT_EQ(cigarMouthOffsetZ, -0.032f);
}

TEST_F(PropAttachment, OffsetsNeverAccumulateOverFrames) {
  Start();
  Model("PLAYER_ZERO");
  ENABLED = true;
  UserOffsets();
  Frames(30);
  EXPECT_FLOAT_EQ(cigaretteMouthOffsetX, 0.019f + 0.01f);
  EXPECT_FLOAT_EQ(cigarMouthRotZ, -60.8f + 30.0f);
  Update();
  Update();
  EXPECT_FLOAT_EQ(cigaretteMouthOffsetX, 0.019f + 0.01f);
  EXPECT_FLOAT_EQ(cigarMouthRotZ, -60.8f + 30.0f);
}

TEST_F(PropAttachment, AModelChangeIsSeenOnTheNextFrame) {
  Start();
  ENABLED = true;
  Model("PLAYER_ZERO");
  Frames(1);
  EXPECT_EQ(mouthBoneIndex, Bone("10509"));
  Model("MP_MALE");
  Frames(1);
  EXPECT_EQ(mouthBoneIndex, Bone("skel_head"));
  EXPECT_FLOAT_EQ(cigaretteMouthOffsetX, -0.0195f);
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
