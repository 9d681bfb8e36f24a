#pragma once

namespace assetgen {

class Registry;

// Each painter or synthesizer family registers the files it makes.
void registerGemAssets(Registry& r);
void registerBonusAssets(Registry& r);
void registerTumbletAssets(Registry& r);
void registerBoardAssets(Registry& r);
void registerHudAssets(Registry& r);
void registerSceneAssets(Registry& r);
void registerMenuAssets(Registry& r);
void registerPanelAssets(Registry& r);
void registerSplashAssets(Registry& r);
void registerSoundAssets(Registry& r);
void registerMusicAssets(Registry& r);
// Written into the build folder, never into the data folder.
void registerIconAssets(Registry& r);
void registerBitmapFontAssets(Registry& r);

}  // namespace assetgen
