// SPDX-License-Identifier: MIT
// GNOME Shell 43 and 44 load extensions through the imports object.
'use strict';

const {Clutter, Gio, GLib, St, Shell} = imports.gi;
const Main = imports.ui.main;
const PanelMenu = imports.ui.panelMenu;
