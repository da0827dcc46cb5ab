// Every game native the plug-in invokes: name, hash, result, arguments in push
// order. This table is the single source of the typed wrappers (natives.h) and
// of the simulator's view of the catalogue; include it with a definition of
// EMBERWICK_NATIVE(Name, Hash, Result, Args...).
//
// Argument types: int/bool/Hash/Entity/Ped/Prompt are one 32-bit word, float
// its bit pattern, const char* a string address, other pointers out-parameters.
#pragma once

#include "host/native_types.h"

#define F6 float, float, float, float, float, float

#define EMBERWICK_NATIVE_CATALOGUE(X)                                                                  \
  X(Absf, 0x134549B388167CBFull, float, float)                                                          \
  X(ApplyForceToEntity, 0xF15E8F5D333F09C4ull, void, Entity, int, F6, int, int, int, int, int, int)     \
  X(AttachEntityToEntity, 0x6B9BBD38AB0796DFull, void, Entity, Entity, int, F6, int, int, int, int,     \
    int, int, int, int)                                                                                 \
  X(ClearPedTasks, 0xE1EF3C1216AFF2CDull, void, Ped, int, int)                                          \
  X(CreateItemSet, 0xA1AF16083320065Aull, int, int)                                                     \
  X(CreateObject, 0x509D5878EB39E842ull, Entity, Hash, float, float, float, int, int, int, int, int)    \
  X(CreatePed, 0xD49F9B0955C367DEull, Ped, Hash, float, float, float, float, int, int, int, int)        \
  X(DeleteEntity, 0x4CD38C78BD19A497ull, void, Entity*)                                                 \
  X(DeleteObject, 0x931914268722C263ull, void, Entity*)                                                 \
  X(DestroyItemSet, 0x712BC69F10549B92ull, void, int)                                                   \
  X(DetachEntity, 0x64CDE9D6BF8ECAD3ull, void, Entity, int, int)                                        \
  X(DisableControlAction, 0xFE99B66D079CF6BCull, void, int, Hash, bool)                                 \
  X(DisplayText, 0xD79334A4BB99BAD1ull, void, const char*, float, float)                                \
  X(DoesAnimDictExist, 0x537F44CB0D7F150Dull, bool, const char*)                                        \
  X(DoesEntityExist, 0xD42BD6EB2E0F1677ull, bool, Entity)                                               \
  X(DoesParticleFxLoopedExist, 0x9DD5AFF561E88F2Aull, bool, int)                                        \
  X(EnableControlAction, 0x351220255D64C155ull, void, int, Hash, bool)                                  \
  X(FreezeEntityPosition, 0x7D9EFB7AD6B19754ull, void, Ped, int)                                        \
  X(GetActiveDynamicScenario, 0x569F1E1237508DEBull, Hash, Ped)                                         \
  X(GetAttributeCoreValue, 0x36731AC041289BB1ull, int, Ped, int)                                        \
  X(GetCurrentPedWeapon, 0x3A87E44BB9A01D54ull, bool, Ped, Hash*, bool, int, bool)                      \
  X(GetCurrentTargetForPed, 0xCD66FEA29400A0B5ull, Ped, Ped)                                            \
  X(GetDefaultItemSlotInfo, 0x6452B1D357D81742ull, Hash, Hash, Hash)                                    \
  X(GetDefaultUnarmedWeaponHash, 0x08FF1099ED2E6E21ull, Hash, Ped)                                      \
  X(GetEntitiesNearPoint, 0x59B57C4B06531E1Eull, int, float, float, float, float, int, int)             \
  X(GetEntityAlpha, 0x1BB501624FAF2BEAull, int, Entity)                                                 \
  X(GetEntityAnimCurrentTime, 0x627520389E288A73ull, float, Entity, const char*, const char*)           \
  X(GetEntityBoneIndexByName, 0xBACA8FE9C76C124Eull, int, Entity, const char*)                          \
  X(GetEntityCoords, 0xA86D5F069399F44Dull, Vector3, Entity, bool, bool)                                \
  X(GetEntityHeading, 0xC230DD956E2F5507ull, float, Entity)                                             \
  X(GetEntityModel, 0xDA76A9F39210D365ull, Hash, Entity)                                                \
  X(GetEntitySpeed, 0xFB6BA510A533DF81ull, float, Entity)                                               \
  X(GetEntitySubmergedLevel, 0x4A77C3F73FD9E831ull, float, Ped)                                         \
  X(GetGameTimer, 0x4F67E8ECA7D3F667ull, int)                                                           \
  X(GetHashKey, 0xFD340785ADF8CFB7ull, Hash, const char*)                                               \
  X(GetIndexedItemInItemSet, 0x275A2E2C0FAB7612ull, Entity, int, int)                                   \
  X(GetOffsetFromEntityGivenWorldCoords, 0x497C6B1A2C9AE69Cull, Vector3, Entity, float, float, float)   \
  X(GetOffsetFromEntityInWorldCoords, 0x1899F328B0E12848ull, Vector3, Entity, float, float, float)      \
  X(GetPedBoneIndex, 0x3F428D08BE5AAE31ull, int, Ped, int)                                              \
  X(GetPedConfigFlag, 0x7EE53118C892B513ull, bool, Ped, int, bool)                                      \
  X(GetPedCrouchMovement, 0xD5FE956C70FF370Bull, bool, Ped)                                             \
  X(GetPedDesiredMoveBlendRatio, 0x8517D4A6CA8513EDull, float, Ped)                                     \
  X(GetPedIsBeingGrappled, 0x3BDFCF25B58B0415ull, bool, Ped)                                            \
  X(GetPedIsGrappling, 0x0E99E3BF11BB6367ull, bool, Ped)                                                \
  X(GetPedLastDamageBone, 0xD75960F6BD9EA49Cull, bool, Ped, int*)                                       \
  X(GetRandomFloatInRange, 0xE29F927A961F8AAAull, float, float, float)                                  \
  X(GetRandomIntInRange, 0xD53343AA4FB7DD28ull, int, int, int)                                          \
  X(HasAnimDictLoaded, 0x27FF6FE8009B40CAull, bool, const char*)                                        \
  X(HasEntityBeenDamagedByEntity, 0x7B6E7BEC1143AC86ull, bool, Entity, Entity, bool, bool)              \
  X(HasModelLoaded, 0x1283B8B89DD5D1B6ull, bool, Hash)                                                  \
  X(HasNamedPtfxAssetLoaded, 0x65BB72F29138F5D6ull, bool, Hash)                                         \
  X(HidePedWeapons, 0xFCCC886EDE3C63ECull, void, Ped, int, int)                                         \
  X(HoldSittingCamera, 0x71D71E08A7ED5BD7ull, void, int)                                                \
  X(InventoryAddItemWithGuid, 0xCB5D11F9508A928Dull, bool, int, void*, void*, Hash, Hash, int, Hash)    \
  X(InventoryFitsSlotId, 0x780C5B9AE2819807ull, bool, Hash, Hash)                                       \
  X(InventoryGetGuidFromItemId, 0x886DFD3E185C8A89ull, bool, int, void*, Hash, Hash, void*)             \
  X(InventoryGetInventoryItemCountWithItemId, 0xE787F05DFC977BDEull, int, int, Hash, bool)              \
  X(InventoryIsGuidValid, 0xB881CA836CC4B6D4ull, bool, void*)                                           \
  X(InventoryRemoveInventoryItemWithItemId, 0xB4158C8C9A3B5DCEull, int, int, Hash, int, Hash)           \
  X(IsAimCamActive, 0x698F456FB909E077ull, bool)                                                        \
  X(IsAnimSceneCamActive, 0x20389408F0E93B9Aull, bool)                                                  \
  X(IsControlEnabled, 0x1CEA6BFDF248E5D9ull, bool, int, Hash)                                           \
  X(IsControlJustPressed, 0x580417101DDB492Full, bool, int, Hash)                                       \
  X(IsControlPressed, 0xF3A21BCD95725A4Aull, bool, int, Hash)                                           \
  X(IsDisabledControlJustPressed, 0x91AEF906BCA88877ull, bool, int, Hash)                               \
  X(IsDisabledControlJustReleased, 0x305C8DCD79DA8B0Full, bool, int, Hash)                              \
  X(IsDisabledControlPressed, 0xE2587F8CBBD87B1Dull, bool, int, Hash)                                   \
  X(IsEntityAMissionEntity, 0x138190F64DB4BBD1ull, bool, Entity)                                        \
  X(IsEntityAttachedToEntity, 0x154A3C529497053Eull, bool, Entity, Entity)                              \
  X(IsEntityDead, 0x7D5B1F88E7504BBAull, bool, Entity)                                                  \
  X(IsEntityUnderwater, 0xD4E5C1E93C466127ull, bool, Entity, bool)                                      \
  X(IsFirstPersonCameraActive, 0xA24C1D341C6E0D53ull, bool, int, int, int)                              \
  X(IsInputJustPressed, 0xD6BD313CFA41E57Aull, bool, Hash)                                              \
  X(IsModelInCdImage, 0xD6F3B6D7716CFF8Eull, bool, Hash)                                                \
  X(IsModelValid, 0x392C8D8E07B70EFCull, bool, Hash)                                                    \
  X(IsPedCurrentWeaponHolstered, 0xBDD9C235D8D1052Eull, bool, Ped)                                      \
  X(IsPedInMeleeCombat, 0x4E209B2C1EAD5159ull, bool, Ped)                                               \
  X(IsPedOnFoot, 0x01FEE67DB37F59B2ull, bool, Ped)                                                      \
  X(IsPedOnMount, 0x460BC76A0E10655Eull, bool, Ped)                                                     \
  X(IsPedPerformingMeleeAction, 0xDCCA191DF9980FD7ull, bool, Ped, bool, bool)                           \
  X(IsPedRagdoll, 0x47E4E977581C5B55ull, bool, Ped)                                                     \
  X(IsPedRunning, 0xC5286FFC176F28A2ull, bool, Ped)                                                     \
  X(IsPedSitting, 0x84D0BF2B21862059ull, bool, Ped)                                                     \
  X(IsPedSprinting, 0x57E457CD2C0FC168ull, bool, Ped)                                                   \
  X(IsPedUsingAnyScenario, 0x57AB4A3080F85143ull, bool, Ped)                                            \
  X(IsPedWalking, 0xDE4C184B2B9B071Aull, bool, Ped)                                                     \
  X(IsPlayerControlOn, 0x7964097FCE4C244Bull, bool, int)                                                \
  X(IsPlayerPlaying, 0xBFFB35986CAAE58Cull, bool, int)                                                  \
  X(IsSpecialAbilityActive, 0xB16223CB7DA965F0ull, bool, int)                                           \
  X(IsUsingKeyboardAndMouse, 0xA571D46727E2B718ull, bool, int)                                          \
  X(IsWeaponValid, 0x937C71165CF334B3ull, bool, Hash)                                                   \
  X(ItemDatabaseFilloutItemInfo, 0xFE90ABBCBFDC13B2ull, bool, Hash, void*)                              \
  X(ItemDatabaseIsKeyValid, 0x6D5D51B188333FD1ull, bool, Hash, int)                                     \
  X(PlayerId, 0x217E9DC48139933Dull, int)                                                               \
  X(PlayerPedId, 0x096275889B8E0EE0ull, Ped)                                                            \
  X(PlaySoundFromEntity, 0x6FB1DA3CA9DA7D90ull, void, const char*, Entity, const char*, int, int, int)  \
  X(PlaySoundFromPosition, 0xCCE219C922737BFAull, void, const char*, float, float, float, const char*,  \
    int, int, int, int)                                                                                 \
  X(PrepareSoundSet, 0xD9130842D7226045ull, bool, const char*, int)                                     \
  X(ReleaseSoundSet, 0x531A78D6BF27014Bull, void, const char*)                                          \
  X(RemoveParticleFx, 0x459598F579C98929ull, void, int, int)                                            \
  X(RequestAnimDict, 0xA862A2AD321F94B4ull, void, const char*)                                          \
  X(RequestModel, 0xFA28FE3A6246FC30ull, void, Hash, int)                                               \
  X(RequestNamedPtfxAsset, 0xF2B2353BBC0D4E8Full, void, Hash)                                           \
  X(RequestPedFacialMoodThisFrame, 0x8B3B71C80A29A4BBull, void, Ped, Hash, int)                         \
  X(SetAttributeCoreValue, 0xC6258F41D86676E0ull, void, Ped, int, int)                                  \
  X(SetControlValueNextFrame, 0xE8A25867FBA3B05Eull, void, int, Hash, float)                            \
  X(SetEntityAlpha, 0x0DF7692B1D9E7BA7ull, void, Entity, int, bool)                                     \
  X(SetEntityAnimCurrentTime, 0x11CDABDC7783B2BCull, void, Entity, const char*, const char*, float)     \
  X(SetEntityAsMissionEntity, 0xDC19C288082E586Eull, void, Entity, bool, bool)                          \
  X(SetEntityCanBeDamaged, 0x0D06D522B90E861Full, void, Entity, int)                                    \
  X(SetEntityCollision, 0xF66F820909453B8Cull, void, Ped, int, int)                                     \
  X(SetEntityCompletelyDisableCollision, 0xE0580EC84813875Aull, void, Ped, int, int)                    \
  X(SetEntityVisible, 0x1794B4FCC84D812Full, void, Entity, bool)                                        \
  X(SetModelAsNoLongerNeeded, 0x4AD96EF928BD4F9Aull, void, Hash)                                        \
  X(SetParticleFxLoopedAlpha, 0x88786E76234F7054ull, void, int, float)                                  \
  X(SetParticleFxNonLoopedAlpha, 0xE8A35938A7026CEAull, void, float)                                    \
  X(SetPedResetFlag, 0xC1E8A365BF3B29F2ull, void, Ped, int, bool)                                       \
  X(SetPedScale, 0x25ACFC650B65C538ull, void, Ped, float)                                               \
  X(SetRandomOutfitVariation, 0x283978A15512B2FEull, void, Ped, int)                                    \
  X(SpecialAbilityRestoreByAmount, 0x51345AE20F22C261ull, void, int, float, int, int, int)              \
  X(StartNetworkedParticleFxLoopedOnEntity, 0x8F90AB32E1944BDEull, int, const char*, Entity, F6, float, \
    int, int, int)                                                                                      \
  X(StartNetworkedParticleFxNonLoopedOnEntity, 0xE6CFE43937061143ull, int, const char*, Entity, F6,     \
    float, int, int, int)                                                                               \
  X(StartParticleFxLoopedOnPedBone, 0xE689C1B1432BB8AFull, int, const char*, Ped, F6, int, float, int,  \
    int, int)                                                                                           \
  X(StartParticleFxNonLoopedOnPedBone, 0x3FAA72BD940C3AC0ull, int, const char*, Ped, F6, int, float,    \
    int, int, int)                                                                                      \
  X(StartTaskItemInteraction, 0xAE72E7DF013AAA61ull, void, Ped, Hash, Hash, int, int, float)            \
  X(StopAnimPlayback, 0xEE08C992D238C5D1ull, void, Ped, int, int)                                       \
  X(StopSoundWithName, 0x0F2A2175734926D8ull, void, const char*, const char*)                           \
  X(TaskPlayAnim, 0xEA47FE3719165B94ull, void, Ped, const char*, const char*, float, float, int, int,   \
    float, int, int, int, const char*, int)                                                             \
  X(TaskPlayEmoteWithHash, 0xB31A277C1AC7B7FFull, void, Ped, int, int, Hash, int, int, int, int, int)   \
  X(TaskStartScenarioInPlaceHash, 0x524B54361229154Full, void, Ped, Hash, int, bool, Hash, float, bool) \
  X(UiPromptDelete, 0x00EDE88D4D13CF59ull, void, Prompt)                                                \
  X(UiPromptHasHoldModeCompleted, 0xE0F65F0640EF0617ull, bool, Prompt)                                  \
  X(UiPromptIsActive, 0x546E342E01DE71CFull, bool, Prompt)                                              \
  X(UiPromptIsHoldModeRunning, 0xC7D70EAEF92EFF48ull, bool, Prompt)                                     \
  X(UiPromptIsValid, 0x347469FBDD1589A9ull, bool, Prompt)                                               \
  X(UiPromptRegisterBegin, 0x04F97DE45A519419ull, Prompt)                                               \
  X(UiPromptRegisterEnd, 0xF7AA2696A22AD8B9ull, void, Prompt)                                           \
  X(UiPromptSetAttribute, 0x560E76D5E2E1803Full, void, Prompt, int, bool)                               \
  X(UiPromptSetControlAction, 0xB5352B7494A08258ull, void, Prompt, Hash)                                \
  X(UiPromptSetEnabled, 0x8A0FB4D03A630D21ull, void, Prompt, bool)                                      \
  X(UiPromptSetHoldMode, 0x94073D5CA3F16B7Bull, void, Prompt, int)                                      \
  X(UiPromptSetPriority, 0xCA24F528D0D16289ull, void, Prompt, int)                                      \
  X(UiPromptSetText, 0x5DD02A8318420DD7ull, void, Prompt, const char*)                                  \
  X(UiPromptSetVisible, 0x71215ACCFDE075EEull, void, Prompt, bool)                                      \
  X(UseParticleFxAsset, 0xA10DB07FC234DD12ull, void, const char*)                                       \
  X(VarString, 0xFA925AC00EB830B9ull, const char*, int, const char*, const char*)
