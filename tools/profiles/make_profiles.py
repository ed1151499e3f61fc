#!/usr/bin/python3
# Regenerates the stock graphics profiles the launcher offers for Fallout76Prefs.ini:
#   resources/profiles/prefs_low.ini, prefs_medium.ini, prefs_high.ini, prefs_ultra.ini
#
# Run by hand from anywhere: python3 tools/profiles/make_profiles.py
# The files are compared byte for byte by the launcher's tests, so their layout is
# fixed here: ASCII, CR LF between lines, no line break after the last line, no BOM,
# one empty line between sections except the two-tab line after [TerrainManager],
# and the grass key written with blanks around "=" as the game writes it.

import os

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
OUT_DIR = os.path.join(ROOT, "resources", "profiles")

LEVELS = ("low", "medium", "high", "ultra")

# section -> [(key, (low, medium, high, ultra))]
SECTIONS = [
    ("Display", [
        ("iMaxAnisotropy", ("0", "16", "16", "16")),
        ("fShadowDistance", ("60000.0", "90000.0", "120000.0", "150000.0")),
        ("fDirShadowDistance", ("60000.0", "90000.0", "120000.0", "150000.0")),
        ("iShadowMapResolution", ("1024", "2048.0", "2048.0", "2048.0")),
        ("uiShadowFilter", ("1", "2", "3", "3")),
        ("uiOrthoShadowFilter", ("1", "2", "3", "3")),
        ("fBlendSplitDirShadow", ("0.0000", "48.0000", "48.0000", "48.0000")),
        ("iMaxFocusShadows", ("0", "1", "4", "4")),
        ("iMaxDecalsPerFrame", ("0", "10", "100", "100")),
        ("iMaxSkinDecalsPerFrame", ("0", "3", "25", "25")),
        ("bVolumetricLightingEnable", ("0", "1", "1", "1")),
        ("bSAOEnable", ("1", "1", "1", "1")),
        ("uWaterShadowFilter", ("1", "2", "3", "3")),
        ("iVolumetricLightingTextureQuality", ("0", "1", "2", "2")),
    ]),
    ("Decals", [
        ("bDecals", ("0", "1", "1", "1")),
        ("bSkinnedDecals", ("0", "1", "1", "1")),
        ("uMaxDecals", ("0", "100", "250", "1000")),
        ("uMaxSkinDecals", ("0", "35", "50", "100")),
    ]),
    ("TerrainManager", [
        ("fBlockMaximumDistance", ("100000.0000", "100000.0000", "180000.0000", "250000.0000")),
        ("fBlockLevel2Distance", ("75000.0000", "80000.0000", "110000.0000", "110000.0000")),
        ("fBlockLevel1Distance", ("25000.0000", "32000.0000", "60000.0000", "90000.0000")),
        ("fBlockLevel0Distance", ("15000.0000", "20000.0000", "30000.0000", "60000.0000")),
    ]),
    ("ImageSpace", [
        ("bDoDepthOfField", ("0", "1", "1", "1")),
        ("bMBEnable", ("0", "1", "1", "1")),
    ]),
    ("LightingShader", [
        ("bScreenSpaceReflections", ("1", "1", "1", "1")),
    ]),
    ("LOD", [
        ("fLODFadeOutMultActors", ("5.0000", "7.0000", "9.0000", "15.0000")),
        ("fLODFadeOutMultItems", ("1.5000", "3.0000", "6.0000", "10.0000")),
        ("fLODFadeOutMultObjects", ("5.0000", "7.0000", "9.0000", "30.0000")),
        ("fLODFadeOutMultSkyCell", ("1.0000", "1.0000", "1.0000", "1.0000")),
    ]),
    ("Grass", [
        ("fGrassStartFadeDistance", ("3500", "4500", "5500", "7000")),
    ]),
    ("Texture", [
        ("iLargeTextureArrayMipSkip", ("2", "1", "0", "0")),
        ("iTextureMipSkipBC1UNormSrgb", ("2", "1", "1", "0")),
        ("iTextureMipSkipBC3UNormSrgb", ("2", "1", "1", "0")),
        ("iTextureMipSkipBC1UNorm", ("2", "1", "1", "0")),
        ("iTextureMipSkipBC5SNorm", ("2", "1", "1", "0")),
        ("iTextureMipSkipBC4UNorm", ("2", "1", "1", "0")),
        ("iTextureMipSkipMinDimension", ("256", "256", "1024", "1024")),
        ("iLargeTextureArrayDim", ("1024", "1024", "2048", "2048")),
        ("iTextureQualityLevel", ("0", "1", "2", "3")),
    ]),
    ("Water", [
        ("bUseWaterHiRes", ("0", "0", "1", "1")),
    ]),
]

# Keys the game writes with blanks around "=".
SPACED_KEYS = {"fGrassStartFadeDistance"}
# The line that follows a section instead of an empty one.
SEPARATOR_AFTER = {"TerrainManager": "\t\t"}


def profile_lines(level):
    lines = []
    for n, (section, keys) in enumerate(SECTIONS):
        if n > 0:
            lines.append(SEPARATOR_AFTER.get(SECTIONS[n - 1][0], ""))
        lines.append("[%s]" % section)
        for key, values in keys:
            value = values[level]
            lines.append("%s = %s" % (key, value) if key in SPACED_KEYS else "%s=%s" % (key, value))
    return lines


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    for level, name in enumerate(LEVELS):
        data = "\r\n".join(profile_lines(level)).encode("ascii")
        path = os.path.join(OUT_DIR, "prefs_%s.ini" % name)
        with open(path, "wb") as f:
            f.write(data)
        print("wrote %s (%d bytes)" % (os.path.relpath(path, ROOT), len(data)))


if __name__ == "__main__":
    main()
