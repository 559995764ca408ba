<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en_US">
<context>
    <name>AppWindow</name>
    <message>
        <source>History</source>
        <translation>Historial</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
</context>
<context>
    <name>HistoryWindowDelegate</name>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Unpin</source>
        <translation>Dejar de fijar</translation>
    </message>
    <message>
        <source>Pin</source>
        <translation>Fijar</translation>
    </message>
</context>
<context>
    <name>HistoryWindowView</name>
    <message>
        <source>No items</source>
        <translation>No hay elementos</translation>
    </message>
    <message>
        <source>Copy text or an image (Ctrl+C) — it will appear here.</source>
        <translation>Copie texto o una imagen (Ctrl+C) y aparecerá aquí.</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Buscar</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Sin coincidencias</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Borrar todo</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Copiado</translation>
    </message>
    <message>
        <source>Clear all history?</source>
        <translation>¿Borrar todo el historial?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Also remove pinned items</source>
        <translation>Borrar también los elementos fijados</translation>
    </message>
</context>
<context>
    <name>HistoryFilterModel</name>
    <message>
        <source>Item %1 of %2, pinned</source>
        <translation>Elemento %1 de %2, fijado</translation>
    </message>
    <message>
        <source>Item %1 of %2</source>
        <translation>Elemento %1 de %2</translation>
    </message>
</context>
<context>
    <name>HistoryListModel</name>
    <message>
        <source>No longer available: remove it with ×</source>
        <translation>Ya no está disponible: elimínelo con ×</translation>
    </message>
    <message>
        <source>[Files]</source>
        <translation>[Archivos]</translation>
    </message>
    <message>
        <source>[Image]</source>
        <translation>[Imagen]</translation>
    </message>
    <message>
        <source>[Content]</source>
        <translation>[Contenido]</translation>
    </message>
</context>
<context>
    <name>ChordRecorderView</name>
    <message>
        <source>Shortcut for pasting:</source>
        <translation>Atajo para pegar:</translation>
    </message>
    <message>
        <source>Press shortcut…</source>
        <translation>Pulse un atajo…</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Cambiar</translation>
    </message>
    <message>
        <source>Press the new shortcut; Esc cancels.</source>
        <translation>Pulse el nuevo atajo; Esc cancela.</translation>
    </message>
    <message>
        <source>%1 is needed for typing: record a chord with Ctrl, Alt or Super.</source>
        <translation>%1 se usa para escribir: grabe un atajo con Ctrl, Alt o Super.</translation>
    </message>
    <message>
        <source>%1 is used for editing in every program: record a different chord.</source>
        <translation>%1 se usa para editar en todos los programas: grabe otro atajo.</translation>
    </message>
</context>
<context>
    <name>IntegrationNotice</name>
    <message>
        <source>Enable the GNOME integration</source>
        <translation>Activar la integración con GNOME</translation>
    </message>
    <message>
        <source>The GNOME integration is enabled from your next login: log out and back in.</source>
        <translation>La integración con GNOME estará activa a partir de su próximo inicio de sesión: cierre la sesión y vuelva a entrar.</translation>
    </message>
    <message>
        <source>The GNOME integration could not be enabled: it is not installed. Install Quillstack&apos;s package again.</source>
        <translation>No se pudo activar la integración con GNOME porque no está instalada. Vuelva a instalar el paquete de Quillstack.</translation>
    </message>
    <message>
        <source>The GNOME integration is off, so the shortcut and the paste work only in some windows.</source>
        <translation>La integración con GNOME está desactivada, así que el atajo y el pegado solo funcionan en algunas ventanas.</translation>
    </message>
</context>
<context>
    <name>KeepHistoryChoice</name>
    <message>
        <source>Keep history after restart</source>
        <translation>Conservar el historial tras reiniciar</translation>
    </message>
    <message>
        <source>Kept in %1. Turning this off deletes it; pins are kept either way.</source>
        <translation>Se guarda en %1. Desactivarlo lo elimina; los elementos fijados se conservan en cualquier caso.</translation>
    </message>
</context>
<context>
    <name>KeyNames</name>
    <message>
        <source>Return</source>
        <translation>Intro</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Espacio</translation>
    </message>
    <message>
        <source>Backspace</source>
        <translation>Retroceso</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Intro (teclado numérico)</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supr</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation>Re Pág</translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation>Av Pág</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Izquierda</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Derecha</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Abajo</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Arriba</translation>
    </message>
    <message>
        <source>Super</source>
        <translation>Super</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Mayús</translation>
    </message>
    <message>
        <source>CapsLock</source>
        <translation>Bloq Mayús</translation>
    </message>
</context>
<context>
    <name>OnboardingPanel</name>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Sistema</translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Omitir</translation>
    </message>
    <message>
        <source>How it works</source>
        <translation>Cómo funciona</translation>
    </message>
    <message>
        <source>Copy as usual — Ctrl+C. Text goes to history.</source>
        <translation>Copie como siempre — Ctrl+C. El texto pasa al historial.</translation>
    </message>
    <message>
        <source>Paste from history: %1 — opens list of recent copies.</source>
        <translation>Pegar desde el historial: %1 — abre la lista de copias recientes.</translation>
    </message>
    <message>
        <source>Enter or double-click — paste the selected item into the window you were in.</source>
        <translation>Intro o doble clic — pega el elemento elegido en la ventana anterior.</translation>
    </message>
    <message>
        <source>Type while the list is open to filter it — only matching items stay.</source>
        <translation>Escriba con la lista abierta para filtrarla — solo quedan los elementos que coinciden.</translation>
    </message>
    <message>
        <source>Ctrl+P or the pin — keeps an item at the top, saved on disk across restarts.</source>
        <translation>Ctrl+P o la chincheta — fija un elemento arriba, guardado en el disco aunque reinicie.</translation>
    </message>
    <message>
        <source>How to select</source>
        <translation>Cómo elegir</translation>
    </message>
    <message>
        <source>↑ ↓ — select item in list.</source>
        <translation>↑ ↓ — elegir un elemento de la lista.</translation>
    </message>
    <message>
        <source>Enter or double-click — paste into the window you were in. The shortcut again or Esc — close without pasting.</source>
        <translation>Intro o doble clic — pegar en la ventana anterior. El atajo otra vez o Esc — cerrar sin pegar.</translation>
    </message>
    <message>
        <source>Shift+Enter — paste the text alone, without formatting.</source>
        <translation>Mayús+Intro — pega solo el texto, sin formato.</translation>
    </message>
    <message>
        <source>Delete or × to remove from history.</source>
        <translation>Supr o × — quitar del historial.</translation>
    </message>
    <message>
        <source>Menu and settings</source>
        <translation>Menú y ajustes</translation>
    </message>
    <message>
        <source>Click the tray icon — history, settings, quit.</source>
        <translation>Haga clic en el icono de la bandeja del sistema — historial, ajustes, salir.</translation>
    </message>
    <message>
        <source>Pause recording from the tray icon — nothing copied is kept until you resume.</source>
        <translation>Pause el registro desde el icono de la bandeja — no se guarda nada de lo copiado hasta reanudarlo.</translation>
    </message>
    <message>
        <source>In settings: autostart, shortcut, history size, and applications whose copies are never recorded.</source>
        <translation>En los ajustes: inicio automático, atajo, tamaño del historial y aplicaciones cuyas copias nunca se registran.</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Clipboard for the Linux desktop</source>
        <translation>Portapapeles para el escritorio Linux</translation>
    </message>
    <message>
        <source>Stores copy history and lets you paste any item with one shortcut.</source>
        <translation>Guarda el historial de copias y pega cualquier elemento con un solo atajo.</translation>
    </message>
    <message>
        <source>Pasting into other apps</source>
        <translation>Pegar en otras aplicaciones</translation>
    </message>
    <message>
        <source>Ready to paste into other apps.</source>
        <translation>Ya se puede pegar en otras aplicaciones.</translation>
    </message>
    <message>
        <source>Step 1: Copy</source>
        <translation>Paso 1: copiar</translation>
    </message>
    <message>
        <source>Copy both texts — by selection (Ctrl+C) or by the Copy button. When copied, the block will turn green.</source>
        <translation>Copie los dos textos — seleccionándolos (Ctrl+C) o con el botón Copiar. Al copiarse, el bloque se pondrá verde.</translation>
    </message>
    <message>
        <source>Both copied. Click Next.</source>
        <translation>Ambos copiados. Haga clic en Siguiente.</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Step 2: Paste from history</source>
        <translation>Paso 2: pegar desde el historial</translation>
    </message>
    <message>
        <source>Paste “Text 1” into field 1 and “Text 2” into field 2. Use %1 to choose from the list.</source>
        <translation>Pegue «Texto 1» en el campo 1 y «Texto 2» en el campo 2. Use %1 para elegir de la lista.</translation>
    </message>
    <message>
        <source>Correct! Click Done.</source>
        <translation>¡Correcto! Haga clic en Listo.</translation>
    </message>
    <message>
        <source>Start Quillstack when you log in</source>
        <translation>Abrir Quillstack al iniciar sesión</translation>
    </message>
    <message>
        <source>Field 1 — “Text 1” here</source>
        <translation>Campo 1 — «Texto 1» aquí</translation>
    </message>
    <message>
        <source>Field 2 — “Text 2” here</source>
        <translation>Campo 2 — «Texto 2» aquí</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Listo</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Siguiente</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through its GNOME Shell extension.</source>
        <translation>Quillstack pega el elemento elegido en otras aplicaciones tecleando Ctrl+V con su extensión de GNOME Shell.</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through the compositor&apos;s virtual keyboard.</source>
        <translation>Quillstack pega el elemento elegido en otras aplicaciones tecleando Ctrl+V con el teclado virtual del compositor.</translation>
    </message>
    <message>
        <source>Choose an item and Quillstack pastes it into the window you were in. If a program ignores the paste, the item is still on the clipboard: press Ctrl+V there.</source>
        <translation>Elija un elemento y Quillstack lo pega en la ventana en la que estaba. Si un programa no acepta el pegado, el elemento sigue en el portapapeles: pulse Ctrl+V allí.</translation>
    </message>
</context>
<context>
    <name>OnboardingWizard</name>
    <message>
        <source>Text 1</source>
        <translation>Texto 1</translation>
    </message>
    <message>
        <source>Text 2</source>
        <translation>Texto 2</translation>
    </message>
</context>
<context>
    <name>PasteDelivery</name>
    <message>
        <source>Not pasted: another window was in front. The item is on the clipboard: press %1 to paste it.</source>
        <translation>No se ha pegado: otra ventana estaba delante. El elemento está en el portapapeles: pulse %1 para pegarlo.</translation>
    </message>
</context>
<context>
    <name>PastePopupView</name>
    <message>
        <source>Clipboard — double-click or ↑↓ Enter to paste</source>
        <translation>Portapapeles — doble clic o ↑↓ Intro para pegar</translation>
    </message>
    <message>
        <source>Clipboard — ↑↓ Enter to copy, then press Ctrl+V</source>
        <translation>Portapapeles — ↑↓ Intro para copiar; después, pulse Ctrl+V</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historial</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>No hay elementos</translation>
    </message>
    <message>
        <source>Copy something and it will appear here.</source>
        <translation>Copie algo y aparecerá aquí.</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Sin coincidencias</translation>
    </message>
</context>
<context>
    <name>PlatformServices</name>
    <message>
        <source>paste from history</source>
        <translation>pegar del historial</translation>
    </message>
</context>
<context>
    <name>PrivateFiles</name>
    <message>
        <source>its lock cannot be taken</source>
        <translation>no se puede obtener su bloqueo</translation>
    </message>
    <message>
        <source>is not a history database</source>
        <translation>no es una base de datos de historial</translation>
    </message>
    <message>
        <source>is from a newer version of Quillstack</source>
        <translation>es de una versión más reciente de Quillstack</translation>
    </message>
    <message>
        <source>cannot be written</source>
        <translation>no se puede escribir</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>no se puede leer</translation>
    </message>
    <message>
        <source>is not a pin file</source>
        <translation>no es un archivo de elementos fijados</translation>
    </message>
    <message>
        <source>is a symbolic link</source>
        <translation>es un enlace simbólico</translation>
    </message>
    <message>
        <source>is not a folder</source>
        <translation>no es una carpeta</translation>
    </message>
    <message>
        <source>belongs to another user</source>
        <translation>pertenece a otro usuario</translation>
    </message>
    <message>
        <source>can be changed by other users</source>
        <translation>otros usuarios pueden modificarla</translation>
    </message>
    <message>
        <source>cannot be created</source>
        <translation>no se puede crear</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>is too large</source>
        <translation>es demasiado grande</translation>
    </message>
    <message>
        <source>is not set</source>
        <translation>no está definida</translation>
    </message>
</context>
<context>
    <name>ProblemNotices</name>
    <message>
        <source>History and pins cannot be kept: %1 %2. It was left alone; move it away to keep them again.</source>
        <translation>No se pueden conservar el historial ni los elementos fijados: %1 %2. Se ha dejado como estaba; muévalo para volver a conservarlos.</translation>
    </message>
    <message>
        <source>The kept history and pins were not restored: %1 %2. It was renamed to %3.</source>
        <translation>El historial conservado y los elementos fijados no se restauraron: %1 %2. Se ha renombrado a %3.</translation>
    </message>
    <message>
        <source>No pins were restored: %1 %2. It was renamed to %3.</source>
        <translation>No se restauró ningún elemento fijado: %1 %2. El archivo se renombró a %3.</translation>
    </message>
    <message>
        <source>History and pins could not be saved: %1 %2. They are kept for this session and saved again at the next change.</source>
        <translation>No se pudieron guardar el historial ni los elementos fijados: %1 %2. Se conservan durante esta sesión y se guardarán de nuevo en el próximo cambio.</translation>
    </message>
    <message>
        <source>The ignored applications in the settings file cannot be read: the usual password managers are ignored instead.</source>
        <translation>No se pueden leer las aplicaciones ignoradas del archivo de ajustes: en su lugar se ignoran los gestores de contraseñas habituales.</translation>
    </message>
</context>
<context>
    <name>QuillstackApp</name>
    <message>
        <source>Quillstack cannot start: none of these folders can be trusted to hold its lock and socket.</source>
        <translation>Quillstack no puede iniciarse: ninguna de estas carpetas es de confianza para guardar su bloqueo y su socket.</translation>
    </message>
</context>
<context>
    <name>QuillstackTray</name>
    <message>
        <source>History</source>
        <translation>Historial</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Ajustes…</translation>
    </message>
    <message>
        <source>Welcome guide</source>
        <translation>Guía de bienvenida</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Recording paused: copies are not kept</source>
        <translation>Registro en pausa: lo que copies no se guarda</translation>
    </message>
</context>
<context>
    <name>QuitQuestion</name>
    <message numerus="yes">
        <source>Quitting clears the %n items in the history.</source>
        <translation>
            <numerusform>Al salir se borrará %n elemento del historial.</numerusform>
            <numerusform>Al salir se borrarán los %n elementos del historial.</numerusform>
        </translation>
    </message>
    <message>
        <source>Pins are kept. The history can be kept after restart instead.</source>
        <translation>Los elementos fijados se conservan. En su lugar, el historial puede conservarse tras reiniciar.</translation>
    </message>
    <message>
        <source>Keep History and Quit</source>
        <translation>Conservar historial y salir</translation>
    </message>
    <message>
        <source>Quit and Clear</source>
        <translation>Salir y borrar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Never</source>
        <translation>Nunca</translation>
    </message>
    <message>
        <source>5 minutes</source>
        <translation>5 minutos</translation>
    </message>
    <message>
        <source>15 minutes</source>
        <translation>15 minutos</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30 minutos</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 hora</translation>
    </message>
    <message>
        <source>6 hours</source>
        <translation>6 horas</translation>
    </message>
    <message>
        <source>24 hours</source>
        <translation>24 horas</translation>
    </message>
    <message>
        <source>%1 cannot be read: these settings are the defaults, and changes cannot be saved.</source>
        <translation>No se puede leer %1: se usan los ajustes predeterminados y los cambios no se pueden guardar.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Sistema</translation>
    </message>
    <message>
        <source>Autostart</source>
        <translation>Inicio automático</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Abrir al iniciar sesión</translation>
    </message>
    <message>
        <source>Paste from history</source>
        <translation>Pegar desde el historial</translation>
    </message>
    <message>
        <source>In the list: ↑↓ to select, Enter or double-click to paste into the window you were in. Press the shortcut again or Esc to close without pasting.</source>
        <translation>En la lista: ↑↓ para elegir, Intro o doble clic para pegar en la ventana anterior. El atajo otra vez o Esc cierra sin pegar.</translation>
    </message>
    <message>
        <source>Pasting into password fields may not work: some programs ignore simulated keystrokes there for security.</source>
        <translation>Puede que no se pueda pegar en campos de contraseña: por seguridad, algunos programas ignoran ahí las pulsaciones simuladas.</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historial</translation>
    </message>
    <message>
        <source>History size</source>
        <translation>Tamaño del historial</translation>
    </message>
    <message>
        <source>Auto-delete after</source>
        <translation>Eliminar automáticamente tras</translation>
    </message>
    <message>
        <source>Items older than the selected time will be removed automatically.</source>
        <translation>Los elementos se eliminarán automáticamente cuando pase el tiempo elegido.</translation>
    </message>
    <message>
        <source>Ignored applications</source>
        <translation>Aplicaciones ignoradas</translation>
    </message>
    <message>
        <source>Copies made while one of these applications is in front are never recorded.</source>
        <translation>Lo que se copie mientras una de estas aplicaciones esté en primer plano nunca se registra.</translation>
    </message>
    <message>
        <source>Window class or app id</source>
        <translation>Clase de ventana o ID de aplicación</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>Quit application</source>
        <translation>Salir de la aplicación</translation>
    </message>
    <message>
        <source>KWin types the paste only for a program whose desktop entry allows it. Install Quillstack from its package, or start this build with tools/run, which writes that entry: Quillstack takes it up at once, without a restart. Until then, choose an item and press Ctrl+V yourself.</source>
        <translation>KWin solo escribe el pegado para un programa cuya entrada de escritorio lo permite. Instala Quillstack desde su paquete o inicia esta compilación con tools/run, que escribe esa entrada: Quillstack la adopta al instante, sin reiniciar. Mientras tanto, elige un elemento y pulsa tú mismo Ctrl+V.</translation>
    </message>
    <message>
        <source>This desktop lets no program type into other windows: choose an item in the list, then press Ctrl+V yourself.</source>
        <translation>Este escritorio no permite que ningún programa escriba en otras ventanas: elija un elemento de la lista y pulse usted mismo Ctrl+V.</translation>
    </message>
    <message>
        <source>Pasting needs the X server&apos;s XTEST extension, which is missing here — the selected item is only copied; paste it with Ctrl+V.</source>
        <translation>Para pegar se necesita la extensión XTEST del servidor X, que aquí no está — el elemento elegido solo se copia; péguelo con Ctrl+V.</translation>
    </message>
    <message>
        <source>Wayland gives programs no global shortcuts: bind %1 to the command “quillstack --toggle-popup” in your desktop&apos;s keyboard settings (sway: bindsym in its config; KDE Plasma: Shortcuts → Add New → Command; GNOME: Keyboard → Custom Shortcuts).</source>
        <translation>Wayland no ofrece atajos globales a los programas: asigne %1 al comando «quillstack --toggle-popup» en los ajustes de teclado de su escritorio (sway: bindsym en el archivo de configuración; KDE Plasma: Atajos → Añadir nuevo → Orden; GNOME: Teclado → Atajos personalizados).</translation>
    </message>
    <message>
        <source>The global shortcut is not available. In the desktop&apos;s keyboard shortcut settings, assign a shortcut to the command “quillstack --toggle-popup”.</source>
        <translation>El atajo global no está disponible. En los ajustes de atajos de teclado del escritorio, asigne un atajo al comando «quillstack --toggle-popup».</translation>
    </message>
    <message>
        <source>Open keyboard shortcut settings</source>
        <translation>Abrir los ajustes de atajos de teclado</translation>
    </message>
    <message>
        <source>Another program also uses this shortcut, so both react to it. Record a different one, or free it in that program.</source>
        <translation>Otro programa también usa este atajo, así que ambos reaccionan. Grabe uno distinto o libérelo en ese programa.</translation>
    </message>
</context>
<context>
    <name>TrayPanel</name>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
</context>
<context>
    <name>TrayPanelView</name>
    <message>
        <source>paste from history</source>
        <translation>pegar del historial</translation>
    </message>
    <message>
        <source>Resume recording</source>
        <translation>Reanudar el registro</translation>
    </message>
    <message>
        <source>Pause recording</source>
        <translation>Pausar el registro</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historial</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Ajustes…</translation>
    </message>
    <message>
        <source>Welcome guide</source>
        <translation>Guía de bienvenida</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
</context>
<context>
    <name>WayInNotice</name>
    <message>
        <source>No tray icon here: open History from Quillstack in the application menu or with %1, and Settings with %2.</source>
        <translation>Aquí no hay icono en la bandeja: abra el historial desde Quillstack en el menú de aplicaciones o con %1, y los ajustes con %2.</translation>
    </message>
</context>
</TS>
