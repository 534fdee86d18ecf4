/* The window modules' bytes, carried inside the program's own file. */
    .section .rodata
    .balign 16
    .global saverhost_windows_plugin_start
    .global saverhost_windows_plugin_end
saverhost_windows_plugin_start:
    .incbin SAVERHOST_WINDOWS_PLUGIN
saverhost_windows_plugin_end:
    .balign 16
    .global saverhost_dialog_plugin_start
    .global saverhost_dialog_plugin_end
saverhost_dialog_plugin_start:
    .incbin SAVERHOST_DIALOG_PLUGIN
saverhost_dialog_plugin_end:
    .section .note.GNU-stack,"",@progbits
