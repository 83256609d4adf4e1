// SPDX-License-Identifier: MIT
// What the extension does, shared by both of GNOME Shell's extension formats: each format's
// header imports the shell's modules its own way and hands them in, so this file names no
// import of either kind.

const BRINDLEMOOR_PROGRAM_NAME = 'io.github.brindlemoor.Brindlemoor';
const BRINDLEMOOR_SHELL_NAME = 'io.github.brindlemoor.GnomeShell';
const BRINDLEMOOR_SHELL_PATH = '/io/github/brindlemoor/GnomeShell';
const BRINDLEMOOR_DOT_SIZE = 16;

// What the focused window counts as, in the order of the interface's arguments.
function brindlemoorFocusOf(shell, win) {
    if (!win)
        return ['', '', 0];
    let appId = shell.Shell.WindowTracker.get_default().get_window_app(win)?.get_id() ?? '';
    // The tracker's stand-ins for windows of no application are no application id.
    if (appId.startsWith('window:'))
        appId = '';
    if (appId.endsWith('.desktop'))
        appId = appId.slice(0, -'.desktop'.length);
    const pid = win.get_pid();
    return [appId, win.get_wm_class() ?? '', pid > 0 ? pid : 0];
}

// Nothing is connected, owned or shown while the program is away: the extension costs the
// shell nothing for users who installed it but are not running Brindlemoor.
class BrindlemoorCore {
    // shell: {Gio, GLib, Clutter, St, Shell, Main, PanelMenu}; uuid names the dot's place
    // in the panel; interfaceXml is the program's contract.
    constructor(shell, uuid, interfaceXml) {
        this._shell = shell;
        this._uuid = uuid;
        this._interfaceXml = interfaceXml;
        this._watchId = 0;
        this._active = false;
    }

    enable() {
        const {Gio} = this._shell;
        this._watchId = Gio.bus_watch_name(Gio.BusType.SESSION, BRINDLEMOOR_PROGRAM_NAME,
            Gio.BusNameWatcherFlags.NONE,
            () => {
                // A new owner must hear the focus afresh, so a change of owner starts over.
                this._stop();
                this._start();
            },
            () => this._stop());
    }

    disable() {
        if (this._watchId) {
            this._shell.Gio.bus_unwatch_name(this._watchId);
            this._watchId = 0;
        }
        this._stop();
    }

    _start() {
        const {Gio, St, Shell} = this._shell;
        this._active = true;
        this._signals = [];
        this._windowSignals = [];
        this._focusedWindow = null;
        this._lastFocus = null;
        this._dot = null;
        this._ownId = 0;
        this._impl = null;

        const impl = Gio.DBusExportedObject.wrapJSObject(this._interfaceXml, this);
        impl.export(Gio.DBus.session, BRINDLEMOOR_SHELL_PATH);
        this._impl = impl;
        // Signals sent before the name is ours would reach no one who listens for it.
        this._named = false;
        this._ownId = Gio.bus_own_name_on_connection(Gio.DBus.session, BRINDLEMOOR_SHELL_NAME,
            Gio.BusNameOwnerFlags.NONE,
            () => {
                this._named = true;
                this._report(true);
            },
            () => {
                this._named = false;
            });

        this._connect(global.display, 'notify::focus-window', () => this._followFocus());
        // The tracker maps a window to its application after the window's own change is
        // announced, and says so through the focused application.
        this._connect(Shell.WindowTracker.get_default(), 'notify::focus-app', () => this._report(false));
        // It stays enabled on the lock screen, where the shell would otherwise switch it off and
        // the program would take the extension for gone; the dot alone hides there.
        this._connect(this._shell.Main.sessionMode, 'updated', () => this._showDotUnlessLocked());
        const theme = St.ThemeContext.get_for_stage(global.stage);
        this._connect(theme, 'notify::scale-factor', () => {
            this._impl.emit_property_changed('ScaleFactor',
                new this._shell.GLib.Variant('u', this.ScaleFactor));
        });
        this._followFocus();
    }

    _stop() {
        if (!this._active)
            return;
        this._active = false;
        this._dropWindow();
        for (const [object, id] of this._signals)
            object.disconnect(id);
        this._signals = [];
        // A start that failed half-way is undone as far as it went.
        if (this._ownId)
            this._shell.Gio.bus_unown_name(this._ownId);
        this._ownId = 0;
        this._impl?.unexport();
        this._impl = null;
        this.HideDot();
    }

    _connect(object, signal, handler) {
        this._signals.push([object, object.connect(signal, handler)]);
    }

    _followFocus() {
        this._dropWindow();
        const win = global.display.focus_window;
        if (win) {
            this._focusedWindow = win;
            for (const signal of ['notify::wm-class', 'notify::gtk-application-id'])
                this._windowSignals.push(win.connect(signal, () => this._report(false)));
        }
        this._report(false);
    }

    _dropWindow() {
        for (const id of this._windowSignals)
            this._focusedWindow.disconnect(id);
        this._windowSignals = [];
        this._focusedWindow = null;
    }

    // always: the first report to a new owner, sent even when nothing changed since.
    _report(always) {
        if (!this._active || !this._named)
            return;
        const focus = brindlemoorFocusOf(this._shell, global.display.focus_window);
        const last = this._lastFocus;
        if (!always && last && focus.every((value, i) => value === last[i]))
            return;
        this._lastFocus = focus;
        this._impl.emit_signal('FocusChanged', new this._shell.GLib.Variant('(ssu)', focus));
    }

    // The D-Bus interface.

    GetFocus() {
        return brindlemoorFocusOf(this._shell, global.display.focus_window);
    }

    get ScaleFactor() {
        return this._shell.St.ThemeContext.get_for_stage(global.stage).scale_factor;
    }

    SetDotAsync(params, invocation) {
        const {Gio, St, Main, PanelMenu} = this._shell;
        const png = invocation.get_parameters().get_child_value(0).get_data_as_bytes();
        if (png.get_size() === 0) {
            invocation.return_dbus_error('org.freedesktop.DBus.Error.InvalidArgs', 'SetDot needs a PNG');
            return;
        }
        const gicon = Gio.BytesIcon.new(png);
        if (this._dot) {
            this._dotIcon.gicon = gicon;
        } else {
            this._dot = new PanelMenu.Button(0.5, 'Brindlemoor', true);
            this._dotIcon = new St.Icon({gicon, icon_size: BRINDLEMOOR_DOT_SIZE});
            this._dot.add_child(this._dotIcon);
            this._dot.connect('event', (actor, event) => this._onDotEvent(actor, event));
            Main.panel.addToStatusArea(this._uuid, this._dot);
            this._showDotUnlessLocked();
        }
        invocation.return_value(null);
    }

    _showDotUnlessLocked() {
        if (this._dot)
            this._dot.visible = !this._shell.Main.sessionMode.isLocked;
    }

    HideDot() {
        if (!this._dot)
            return;
        this._dot.destroy();
        this._dot = null;
        this._dotIcon = null;
    }

    _onDotEvent(actor, event) {
        const {Clutter, GLib} = this._shell;
        if (event.type() !== Clutter.EventType.BUTTON_PRESS)
            return Clutter.EVENT_PROPAGATE;
        if (this._impl) {
            const [x, y] = event.get_coords();
            const [left, top] = actor.get_transformed_position();
            const [width, height] = actor.get_transformed_size();
            const alt = (event.get_state() & Clutter.ModifierType.MOD1_MASK) !== 0;
            this._impl.emit_signal('DotClicked', new GLib.Variant('(iiiiiiub)', [
                Math.round(x), Math.round(y), Math.round(left), Math.round(top),
                Math.round(width), Math.round(height), event.get_button(), alt]));
        }
        return Clutter.EVENT_STOP;
    }
}
