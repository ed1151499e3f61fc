#!/usr/bin/env python3
"""Stand-in web services for the demo and the tests, on 127.0.0.1 only.

Answers the paths the program asks its services for (server status, news, Discord
widget, launch codes, news pictures) from files in scenarios/. The scenario is read
from a small text file on every request, so tests switch it between cases without a
restart:

    stand_in.py --port 8076 --scenario-file /tmp/scenario [--ready-file F]

Scenario names: operational, partial_outage, under_maintenance, major_outage,
no_component, malformed, error_page, slow, down; for the news news_two_entries,
news_malformed and news_bad_picture (not a picture, a picture too large); for the
launch codes codes_b_before_5446 and codes_no_markers; discord_changed answers for
server 111... with other members, as if people had come and gone. "slow" answers only after 25 s,
beyond the program's time-out; "down" drops every connection without an answer.
Discord widgets are told apart by server id (scenarios/operational/api_guilds_*):
111... members in channels and games, 222... nobody online, 333... no invite,
444... a plain-http invite, 555... a member with a game without a name, 666... cut
short, 777... a widget far beyond any real one (thousands of channels, tens of
thousands of members with long names, made on request); any other id answers 404.
A scenario folder may hold files named after a path ("en_api_statuses.json" answers
"/en/api/statuses", "news_a.jpg" answers "/news/a.jpg"); whatever it lacks comes from
scenarios/operational/.
"""
import argparse
import http.server
import os
import socket
import sys
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
SCENARIOS = HERE / "scenarios"

CONTENT_TYPES = {".json": "application/json; charset=utf-8", ".html": "text/html; charset=utf-8",
                 ".png": "image/png", ".jpg": "image/jpeg", ".txt": "text/plain; charset=utf-8"}


def file_for(scenario: str, path: str):
    """The file answering a request path in a scenario, or None."""
    key = path.split("?", 1)[0].strip("/").replace("/", "_")
    for folder in (SCENARIOS / scenario, SCENARIOS / "operational"):
        if not folder.is_dir():
            continue
        # A path that ends in an extension of its own (a picture, widget.json) is a file name.
        exact = folder / key
        if exact.is_file():
            return exact
        for candidate in sorted(folder.glob(key + ".*")):
            return candidate
    return None


def huge_widget() -> bytes:
    """A widget no server really sends: 5,000 channels and 20,000 members, each with a
    name of 300 letters, all in the channel listed last."""
    import json
    channels = [{"id": str(800000000000000000 + i), "name": "Канал %d" % i, "position": i}
                for i in range(5000)]
    last = channels[-1]["id"]
    members = [{"id": str(i), "username": ("Участник%05d" % i) + "ж" * 286, "status": "online",
                "channel_id": last, "game": {"name": "Fallout 76"}} for i in range(20000)]
    widget = {"id": "777777777777777777", "name": "Огромный сервер",
              "instant_invite": "https://discord.com/invite/huge", "channels": channels,
              "presence_count": len(members), "members": members}
    return json.dumps(widget, ensure_ascii=False).encode("utf-8")


class Handler(http.server.BaseHTTPRequestHandler):
    server_version = "RavenlockStandIn/1.0"

    def scenario(self) -> str:
        try:
            return Path(self.server.scenario_file).read_text().strip() or "operational"
        except OSError:
            return "operational"

    def do_GET(self):
        if self.path.startswith("/__test/"):
            self.test_route(self.path[len("/__test/"):])
            return
        self.count_request()
        scenario = self.scenario()
        if scenario == "down":
            # Drop the connection without a byte of answer.
            self.close_connection = True
            self.connection.shutdown(socket.SHUT_RDWR)
            return
        if scenario == "slow":
            time.sleep(25)
        if scenario == "error_page":
            self.answer(500, "text/html; charset=utf-8",
                        b"<html><body><h1>502 Bad Gateway</h1></body></html>")
            return
        if self.path.split("?", 1)[0] == "/api/guilds/777777777777777777/widget.json":
            self.answer(200, CONTENT_TYPES[".json"], huge_widget())
            return
        found = file_for(scenario, self.path)
        if found is None:
            self.answer(404, "text/plain; charset=utf-8", b"not found")
            return
        self.answer(200, CONTENT_TYPES.get(found.suffix, "application/octet-stream"), found.read_bytes())

    def count_request(self):
        """Each request's path, one a line, in "requests" beside the scenario file, so that
        tests can tell how often the program asked."""
        try:
            with open(Path(self.server.scenario_file).with_name("requests"), "a") as log:
                log.write(self.path + "\n")
        except OSError:
            pass

    def test_route(self, name):
        """Replies that no real service gives, for the HTTP client's own tests."""
        if name == "big":  # 17 MiB, beyond any honest reply
            chunk = b"x" * (1 << 20)
            self.send_response(200)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(17 * len(chunk)))
            self.end_headers()
            try:
                for _ in range(17):
                    self.wfile.write(chunk)
            except (BrokenPipeError, ConnectionResetError):
                pass
        elif name == "trickle":  # a byte every half second for half a minute
            self.send_response(200)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", "60")
            self.end_headers()
            try:
                for _ in range(60):
                    self.wfile.write(b".")
                    self.wfile.flush()
                    time.sleep(0.5)
            except (BrokenPipeError, ConnectionResetError):
                pass
        elif name == "cp1251":
            self.answer(200, "text/html; charset=windows-1251", "Коды запуска".encode("cp1251"))
        else:
            self.answer(404, "text/plain", b"not found")

    def answer(self, status, content_type, body):
        try:
            self.send_response(status)
            self.send_header("Content-Type", content_type)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
        except (BrokenPipeError, ConnectionResetError):
            pass  # the client gave up (its time-out), which is what some tests want

    def log_message(self, fmt, *args):
        if os.environ.get("RAVENLOCK_STANDIN_VERBOSE"):
            sys.stderr.write("stand-in: " + fmt % args + "\n")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, default=8076)
    parser.add_argument("--scenario-file", required=True)
    parser.add_argument("--ready-file")
    args = parser.parse_args()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    server.scenario_file = args.scenario_file
    if args.ready_file:
        Path(args.ready_file).write_text(str(server.server_address[1]))
    server.serve_forever()


if __name__ == "__main__":
    main()
