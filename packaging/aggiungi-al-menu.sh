#!/bin/sh
# Aggiunge Velorbis al menu dei programmi dell'utente: scrive una voce del menu che avvia il
# programma di questa cartella (~/.local/share/applications/com.example.velorbis.desktop).
# Ogni copia della cartella è un archivio a sé: eseguito da un'altra copia, la voce passa
# a quella. Con l'opzione --rimuovi toglie la voce.
set -eu
folder=$(cd "$(dirname "$0")" && pwd)
menu=${XDG_DATA_HOME:-$HOME/.local/share}/applications
entry=$menu/com.example.velorbis.desktop

if [ "${1:-}" = "--rimuovi" ]; then
  rm -f "$entry"
  echo "Voce del menu rimossa: $entry"
  exit 0
fi
if [ ! -x "$folder/velorbis" ]; then
  echo "Il programma velorbis non è in $folder" >&2
  exit 1
fi

# Exec quotes the path, as desktop entries require for a folder that may hold blanks:
# inside the quotes \ " ` $ take a backslash, and the backslash is doubled once more;
# awk takes the values from the environment, so no character of the path is special.
mkdir -p "$menu"
VELORBIS_FOLDER=$folder awk '
  BEGIN {
    folder = ENVIRON["VELORBIS_FOLDER"]
    exec_path = folder "/velorbis"
    gsub(/[\\"`$]/, "\\\\\\\\&", exec_path)
  }
  /^Exec=/ { print "Exec=\"" exec_path "\""; next }
  /^Icon=/ { print "Icon=" folder "/packaging/com.example.velorbis.svg"; print "Path=" folder; next }
  { print }
' "$folder/packaging/com.example.velorbis.desktop" > "$entry.tmp"
mv "$entry.tmp" "$entry"
command -v update-desktop-database >/dev/null 2>&1 && update-desktop-database -q "$menu" || true
echo "Velorbis è nel menu dei programmi: $entry"
