/* The HTTP module's bytes, carried inside the windows module. */
    .section .rodata
    .balign 16
    .global saverhost_http_plugin_start
    .global saverhost_http_plugin_end
    .hidden saverhost_http_plugin_start
    .hidden saverhost_http_plugin_end
saverhost_http_plugin_start:
    .incbin SAVERHOST_HTTP_PLUGIN
saverhost_http_plugin_end:
    .section .note.GNU-stack,"",@progbits
