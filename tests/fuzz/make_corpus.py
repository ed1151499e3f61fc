#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into tests/fuzz/corpus/. Run by hand
after the stand-in replies or the sample profile change; the output is kept in the tree.
Real-shaped replies come from the stand-in services, the profile from the sandbox; the
deep, long and odd seeds are made here, because byte mutation alone never builds them."""
import json
import shutil
import struct
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parents[1]
SCENARIOS = ROOT / "sandbox" / "services" / "scenarios"
CORPUS = HERE / "corpus"


def put(target, name, data):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data if isinstance(data, bytes) else data.encode("utf-8"))


def replies(pattern):
    return sorted(SCENARIOS.glob("*/" + pattern))


def deep(depth, inner='"x"', objects=False):
    if objects:
        return '{"a":' * depth + inner + "}" * depth
    return "[" * depth + inner + "]" * depth


def main():
    shutil.rmtree(CORPUS, ignore_errors=True)
    # Replies as the services send them.
    for target, pattern in [("status", "en_api_statuses.json"), ("news", "api_v1_components_news.json"),
                            ("discord", "api_guilds_*_widget.json")]:
        for path in replies(pattern):
            put(target, f"{path.parent.name}_{path.name}", path.read_bytes())
    news = json.loads((SCENARIOS / "operational" / "api_v1_components_news.json").read_text())
    status = json.loads((SCENARIOS / "operational" / "en_api_statuses.json").read_text())
    widget = json.loads((SCENARIOS / "operational" / "api_guilds_111111111111111111_widget.json").read_text())

    # Deep nesting and long strings in the fields read as text, and the odd values.
    for depth in (64, 65, 20000):
        n = json.loads(json.dumps(news))
        n["entries"][0]["title"] = "@"
        put("news", f"deep_title_{depth}", json.dumps(n, ensure_ascii=False).replace('"@"', deep(depth)))
        s = json.loads(json.dumps(status))
        s["components"][0]["status"] = "@"
        put("status", f"deep_status_{depth}", json.dumps(s, ensure_ascii=False).replace('"@"', deep(depth, objects=True)))
        w = json.loads(json.dumps(widget))
        w["members"][0]["username"] = "@"
        put("discord", f"deep_name_{depth}", json.dumps(w, ensure_ascii=False).replace('"@"', deep(depth)))
    n = json.loads(json.dumps(news))
    n["entries"][1]["blurb"] = "Я" * 60000
    n["entries"][2]["title"] = "\U0001F600" * 200
    put("news", "long_texts", json.dumps(n, ensure_ascii=False))
    n = json.loads(json.dumps(news))
    n["entries"][0]["title"] = {"a": 1}
    put("news", "object_as_title", json.dumps(n))
    s = json.loads(json.dumps(status))
    s["components"][0]["status"] = "x" * 50000
    put("status", "long_status", json.dumps(s))
    w = json.loads(json.dumps(widget))
    w["channels"] = [{"id": str(i), "name": "канал " + str(i)} for i in range(500)]
    w["members"] = [{"username": "u" * 270, "status": "online", "channel_id": str(i)} for i in range(320)]
    put("discord", "many_members", json.dumps(w, ensure_ascii=False))
    w = json.loads(json.dumps(widget))
    w["instant_invite"] = 'https://x" --evil'
    put("discord", "quoted_invite", json.dumps(w))

    # JSON text reading: a little of everything.
    put("json", "news", (SCENARIOS / "operational" / "api_v1_components_news.json").read_bytes())
    put("json", "widget", (SCENARIOS / "operational" / "api_guilds_111111111111111111_widget.json").read_bytes())
    for i, text in enumerate(['{"a":-0,"b":1.50,"c":1E+2,"d":18446744073709551616}', '"\\u0001num:7"',
                              '[-0.0e-0, 0, -12, 3.25e10]', '{"k":"\\ud83d\\ude00","e":"\\ud800"}',
                              '{"a":{"b":[true,false,null]}}', deep(64), deep(65), deep(20000, "1"),
                              '"' + "\\n" * 1000 + '"', '{"a":1,"a":"2"}']):
        put("json", f"shape_{i}", text)
    # A NUL outside a string ends the reply for the reader: what follows never counts.
    put("json", "nul_before_deep_nesting", b"1\x00" + deep(200, objects=True).encode())

    # UTF-8 and UTF-16.
    for i, data in enumerate(["Убежище 76 \U0001F600".encode(), b"\xc0\x80\xed\xa0\x80\xf4\x90\x80\x80\xff",
                              "Я".encode("utf-16-le") + b"\x00\xd8\x00\xdc\x3d\xd8\x00\xde", b"",
                              b"\xe2\x82", b"ascii only"]):
        put("utf", f"text_{i}", data)

    # The launch-code page: the first four bytes are the start position.
    for path in replies("php_home.php.html"):
        put("launch_codes", f"{path.parent.name}_{path.name}", struct.pack("<I", 5446) + path.read_bytes())
        put("launch_codes", f"{path.parent.name}_from1_{path.name}", struct.pack("<I", 1) + path.read_bytes())
    put("launch_codes", "beyond_end", struct.pack("<I", 0xFFFFFFFF) + b"<tr><td style='text-align: center;")

    # The line list: two name/value strings (libFuzzer's length-prefixed form), then the file.
    profile = ROOT / "sandbox" / "profile"
    for path in sorted(profile.glob("*.ini")):
        text = path.read_text(encoding="utf-8").replace("\r\n", "\n").replace("\n", "\r\n")
        head = b"iSize W\\x1920\\x"  # a backslash and one more byte end a string there
        put("line_list", path.name + ".cp1251", head + text.encode("cp1251"))
        put("line_list", path.name + ".utf8bom", head + b"\xef\xbb\xbf" + text.encode("utf-8"))
        put("line_list", path.name + ".utf16", head + b"\xff\xfe" + text.encode("utf-16-le"))
    put("line_list", "mark_lookalike", "юя\\x\\x".encode("cp1251"))
    put("line_list", "odd_utf16", b"a\\x\\x\xff\xfea\x00=\x00b")

    # The https rule.
    for i, text in enumerate(["https://discord.com/invite/vault76", "https://x\" --evil", "http://x", "https:///x",
                              "HTTPS://EXAMPLE.COM/a?b=c#d", "https://a\\b", "https://a b", "https://" + "a" * 3000]):
        put("https_address", f"address_{i}", text)

    # The memory tool's switches, NUL between arguments.
    for i, text in enumerate(["-Et", "/ew\0-ET", "-Et\0-Es", "", "\"C:\\RAMMap.exe\" -Ew -Et", "-E"]):
        put("memtool_switches", f"args_{i}", text)

    # Pictures: the platform tests' small valid and broken ones, the stand-in's news pictures.
    for path in sorted((ROOT / "tests" / "platform" / "data").glob("*")) + replies("news_*"):
        if path.stat().st_size <= 300000:
            put("picture", path.name, path.read_bytes())
    png = b"\x89PNG\r\n\x1a\n"
    chunk = lambda kind, data: struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    put("picture", "truncated.png", png + chunk(b"IHDR", struct.pack(">IIBBBBB", 4, 4, 8, 6, 0, 0, 0)))
    put("picture", "palette.png", png + chunk(b"IHDR", struct.pack(">IIBBBBB", 2, 1, 2, 3, 0, 0, 0)) +
        chunk(b"PLTE", b"\xff\x00\x00\x00\xff\x00") + chunk(b"IDAT", zlib.compress(b"\x00\x10")) + chunk(b"IEND", b""))

    # The Xbox app's .GamingRoot: one and several libraries, cut short, a huge count.
    def gaming_root(count, *paths):
        return b"RGBX" + struct.pack("<I", count) + b"".join(p.encode("utf-16-le") + b"\0\0" for p in paths)
    put("gaming_root", "one", gaming_root(1, "\\XboxGames"))
    put("gaming_root", "two", gaming_root(2, "XboxGames", "Games/Xbox"))
    put("gaming_root", "cut", gaming_root(2, "XboxGames")[:-3])
    put("gaming_root", "huge_count", gaming_root(0xFFFFFFFF, "A"))
    put("gaming_root", "dots", gaming_root(1, "..\\Windows"))

    # BA2 archives: both types, versions 1 to 3, without a name table, either separator.
    def ba2(version, kind, names, table=True):
        header = {2: 32, 3: 36}.get(version, 24)
        body = b"".join(struct.pack("<H", len(n)) + n for n in names)
        head = b"BTDX" + struct.pack("<I", version) + kind + struct.pack("<IQ", len(names), header + 16 if table else 0)
        return head.ljust(header, b"\0") + b"d" * 16 + (body if table else b"")
    for version in (1, 2, 3):
        for kind in (b"GNRL", b"DX10"):
            put("ba2", f"v{version}_{kind.decode()}", ba2(version, kind, [b"interface/hudmenu.swf", b"Textures\\a.dds"]))
    put("ba2", "no_table", ba2(1, b"GNRL", [b"a"], table=False))
    put("ba2", "cut", ba2(1, b"GNRL", [b"interface/hudmenu.swf"])[:-4])
    # Entry names of mods' archives, hostile ones among them.
    for i, name in enumerate(["Mod.ba2", "Mod/Data/Strings/mod_en.strings", "../x.ba2", "C:\\x.ba2",
                              "\\\\server\\share\\x.ba2", "x.ba2:stream", "CON.ba2", "a/lpt1/x.ba2", "x.ba2.",
                              "SeventySix - Interface.ba2", "tools/patch.exe", "readme.txt"]):
        put("install_names", f"name_{i}", name)


if __name__ == "__main__":
    main()
