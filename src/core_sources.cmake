# The pure core: no <windows.h>. Shared by the program's build and the native
# sanitizer/fuzzing build (tests/native), so the two never disagree on what it holds.
set(RAVENLOCK_CORE_SOURCES
  platform/text.cpp
  platform/charset.cpp
  platform/process_rules.cpp
  platform/paths.cpp
  platform/game_edition.cpp
  platform/store_rules.cpp
  platform/sound_rules.cpp
  launch/launch_rules.cpp
  launch/session_journal.cpp
  online/json_text.cpp
  online/server_status.cpp
  online/service_url.cpp
  online/web_address.cpp
  online/news_feed.cpp
  online/discord_widget.cpp
  online/launch_codes.cpp
  online/check_gate.cpp
  online/servers_back.cpp
  gameconfig/line_list.cpp
  gameconfig/ini_section.cpp
  gameconfig/effective_settings.cpp
  gameconfig/restore_points.cpp
  gameconfig/option_rules.cpp
  gameconfig/screen_settings.cpp
  diagnostics/diagnostics_rules.cpp
  ui/scale_rules.cpp
  mods/ba2_reader.cpp
  mods/mod_lists.cpp
  mods/mod_order.cpp
  mods/install_rules.cpp
  mods/mod_edits.cpp
  mods/mod_texts.cpp
  mods/install_record.cpp
)
list(TRANSFORM RAVENLOCK_CORE_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
