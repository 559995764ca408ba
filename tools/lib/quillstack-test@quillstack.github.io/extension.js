// SPDX-License-Identifier: MIT
// Tests only (tools/gnome-session installs it): the Shell's unsafe mode, so that a test can ask
// which window has the focus through org.gnome.Shell.Eval.
/* exported init, enable, disable */
function init() {}

function enable() {
    global.context.unsafe_mode = true;
}

function disable() {
    global.context.unsafe_mode = false;
}
