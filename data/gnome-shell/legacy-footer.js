
/* exported init */
function init(meta) {
    return new BrindlemoorCore({Clutter, Gio, GLib, St, Shell, Main, PanelMenu}, meta.uuid, BRINDLEMOOR_INTERFACE);
}
