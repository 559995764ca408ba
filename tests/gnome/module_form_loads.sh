#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The GNOME 45+ form of the extension, for a release whose Shell cannot run it (Debian 12): it
# must at least load under gjs as a module, its gi imports resolved and its body evaluated, with the Shell's own modules
# stubbed.   module_form_loads.sh EXTENSION_JS
set -eu
stubs=$(mktemp -d)
trap 'rm -rf "$stubs"' EXIT
printf 'export const wm = {};\nexport function activateWindow() {}\n' >"$stubs/main.js"
printf 'export class Extension {}\n' >"$stubs/extension.js"
printf 'export class Button {}\n' >"$stubs/panelMenu.js"
printf 'export class PopupSeparatorMenuItem {}\n' >"$stubs/popupMenu.js"
sed -e "s|resource:///org/gnome/shell/ui/main.js|file://$stubs/main.js|" \
  -e "s|resource:///org/gnome/shell/ui/panelMenu.js|file://$stubs/panelMenu.js|" \
  -e "s|resource:///org/gnome/shell/ui/popupMenu.js|file://$stubs/popupMenu.js|" \
  -e "s|resource:///org/gnome/shell/extensions/extension.js|file://$stubs/extension.js|" "$1" \
  >"$stubs/module.js"
echo 'if (typeof QuillstackBridge !== "function") throw new Error("no bridge");' >>"$stubs/module.js"
# Mutter's typelibs live in a folder named after its API version, which each release raises.
mutter=$(ls -d /usr/lib/*/mutter-* | sort -V | tail -n 1)
GI_TYPELIB_PATH="$mutter:/usr/lib/gnome-shell" gjs -m "$stubs/module.js"
