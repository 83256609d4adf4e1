
export default class BrindlemoorExtension extends Extension {
    enable() {
        this._core = new BrindlemoorCore({Clutter, Gio, GLib, St, Shell, Main, PanelMenu}, this.uuid,
            BRINDLEMOOR_INTERFACE);
        this._core.enable();
    }

    disable() {
        this._core.disable();
        this._core = null;
    }
}
