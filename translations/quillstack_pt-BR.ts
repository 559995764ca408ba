<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="en_US">
<context>
    <name>AppWindow</name>
    <message>
        <source>History</source>
        <translation>Histórico</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
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
        <translation>Desafixar</translation>
    </message>
    <message>
        <source>Pin</source>
        <translation>Fixar</translation>
    </message>
</context>
<context>
    <name>HistoryWindowView</name>
    <message>
        <source>No items</source>
        <translation>Nenhum item</translation>
    </message>
    <message>
        <source>Copy text or an image (Ctrl+C) — it will appear here.</source>
        <translation>Copie um texto ou uma imagem (Ctrl+C) — a cópia aparecerá aqui.</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Pesquisar</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Nenhum resultado</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Limpar tudo</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Copiado</translation>
    </message>
    <message>
        <source>Clear all history?</source>
        <translation>Limpar todo o histórico?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Also remove pinned items</source>
        <translation>Limpar também os itens fixados</translation>
    </message>
</context>
<context>
    <name>HistoryFilterModel</name>
    <message>
        <source>Item %1 of %2, pinned</source>
        <translation>Item %1 de %2, fixado</translation>
    </message>
    <message>
        <source>Item %1 of %2</source>
        <translation>Item %1 de %2</translation>
    </message>
</context>
<context>
    <name>HistoryListModel</name>
    <message>
        <source>No longer available: remove it with ×</source>
        <translation>Não está mais disponível: remova com ×</translation>
    </message>
    <message>
        <source>[Files]</source>
        <translation>[Arquivos]</translation>
    </message>
    <message>
        <source>[Image]</source>
        <translation>[Imagem]</translation>
    </message>
    <message>
        <source>[Content]</source>
        <translation>[Conteúdo]</translation>
    </message>
</context>
<context>
    <name>ChordRecorderView</name>
    <message>
        <source>Shortcut for pasting:</source>
        <translation>Atalho para colar:</translation>
    </message>
    <message>
        <source>Press shortcut…</source>
        <translation>Pressione o atalho…</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Alterar</translation>
    </message>
    <message>
        <source>Press the new shortcut; Esc cancels.</source>
        <translation>Pressione o novo atalho; Esc cancela.</translation>
    </message>
    <message>
        <source>%1 is needed for typing: record a chord with Ctrl, Alt or Super.</source>
        <translation>%1 é usado para digitar: grave um atalho com Ctrl, Alt ou Super.</translation>
    </message>
    <message>
        <source>%1 is used for editing in every program: record a different chord.</source>
        <translation>%1 é usado para editar em todos os programas: grave outro atalho.</translation>
    </message>
</context>
<context>
    <name>IntegrationNotice</name>
    <message>
        <source>Enable the GNOME integration</source>
        <translation>Ativar a integração com o GNOME</translation>
    </message>
    <message>
        <source>The GNOME integration is enabled from your next login: log out and back in.</source>
        <translation>A integração com o GNOME passa a funcionar no próximo login: saia da sessão e entre de novo.</translation>
    </message>
    <message>
        <source>The GNOME integration could not be enabled: it is not installed. Install Quillstack&apos;s package again.</source>
        <translation>Não foi possível ativar a integração com o GNOME porque ela não está instalada. Reinstale o pacote do Quillstack.</translation>
    </message>
    <message>
        <source>The GNOME integration is off, so the shortcut and the paste work only in some windows.</source>
        <translation>A integração com o GNOME está desativada, por isso o atalho e a colagem só funcionam em algumas janelas.</translation>
    </message>
</context>
<context>
    <name>KeepHistoryChoice</name>
    <message>
        <source>Keep history after restart</source>
        <translation>Manter o histórico após reiniciar</translation>
    </message>
    <message>
        <source>Kept in %1. Turning this off deletes it; pins are kept either way.</source>
        <translation>Mantido em %1. Desativar apaga o arquivo; os itens fixados são mantidos de qualquer forma.</translation>
    </message>
</context>
<context>
    <name>KeyNames</name>
    <message>
        <source>Return</source>
        <translation>Enter</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Espaço</translation>
    </message>
    <message>
        <source>Backspace</source>
        <translation>Backspace</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Enter (teclado numérico)</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>End</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation>Page Up</translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation>Page Down</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Esquerda</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Direita</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Baixo</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Cima</translation>
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
        <translation>Shift</translation>
    </message>
    <message>
        <source>CapsLock</source>
        <translation>Caps Lock</translation>
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
        <translation>Voltar</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Pular</translation>
    </message>
    <message>
        <source>How it works</source>
        <translation>Como funciona</translation>
    </message>
    <message>
        <source>Copy as usual — Ctrl+C. Text goes to history.</source>
        <translation>Copie como sempre — Ctrl+C. O texto vai para o histórico.</translation>
    </message>
    <message>
        <source>Paste from history: %1 — opens list of recent copies.</source>
        <translation>Colar do histórico: %1 — abre a lista de cópias recentes.</translation>
    </message>
    <message>
        <source>Enter or double-click — paste the selected item into the window you were in.</source>
        <translation>Enter ou duplo clique — cola o item escolhido na janela anterior.</translation>
    </message>
    <message>
        <source>Type while the list is open to filter it — only matching items stay.</source>
        <translation>Digite com a lista aberta para filtrá-la — só ficam os itens que correspondem.</translation>
    </message>
    <message>
        <source>Ctrl+P or the pin — keeps an item at the top, saved on disk across restarts.</source>
        <translation>Ctrl+P ou o alfinete — fixa um item no topo, salvo no disco mesmo após reiniciar.</translation>
    </message>
    <message>
        <source>How to select</source>
        <translation>Como escolher</translation>
    </message>
    <message>
        <source>↑ ↓ — select item in list.</source>
        <translation>↑ ↓ — escolher um item da lista.</translation>
    </message>
    <message>
        <source>Enter or double-click — paste into the window you were in. The shortcut again or Esc — close without pasting.</source>
        <translation>Enter ou duplo clique — colar na janela anterior. O atalho de novo ou Esc — fechar sem colar.</translation>
    </message>
    <message>
        <source>Shift+Enter — paste the text alone, without formatting.</source>
        <translation>Shift+Enter — cola só o texto, sem formatação.</translation>
    </message>
    <message>
        <source>Delete or × to remove from history.</source>
        <translation>Delete ou × — remover do histórico.</translation>
    </message>
    <message>
        <source>Menu and settings</source>
        <translation>Menu e configurações</translation>
    </message>
    <message>
        <source>Click the tray icon — history, settings, quit.</source>
        <translation>Clique no ícone da área de notificação — histórico, configurações, sair.</translation>
    </message>
    <message>
        <source>Pause recording from the tray icon — nothing copied is kept until you resume.</source>
        <translation>Pause o registro pelo ícone da área de notificação — nada copiado é guardado até retomar.</translation>
    </message>
    <message>
        <source>In settings: autostart, shortcut, history size, and applications whose copies are never recorded.</source>
        <translation>Nas configurações: inicialização automática, atalho, tamanho do histórico e aplicativos cujas cópias nunca são registradas.</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Clipboard for the Linux desktop</source>
        <translation>Área de transferência para o desktop Linux</translation>
    </message>
    <message>
        <source>Stores copy history and lets you paste any item with one shortcut.</source>
        <translation>Guarda o histórico de cópias e cola qualquer item com um só atalho.</translation>
    </message>
    <message>
        <source>Pasting into other apps</source>
        <translation>Colar em outros aplicativos</translation>
    </message>
    <message>
        <source>Ready to paste into other apps.</source>
        <translation>Já é possível colar em outros aplicativos.</translation>
    </message>
    <message>
        <source>Step 1: Copy</source>
        <translation>Passo 1: copiar</translation>
    </message>
    <message>
        <source>Copy both texts — by selection (Ctrl+C) or by the Copy button. When copied, the block will turn green.</source>
        <translation>Copie os dois textos — selecionando (Ctrl+C) ou com o botão Copiar. Depois de copiado, o bloco fica verde.</translation>
    </message>
    <message>
        <source>Both copied. Click Next.</source>
        <translation>Os dois foram copiados. Clique em Avançar.</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Step 2: Paste from history</source>
        <translation>Passo 2: colar do histórico</translation>
    </message>
    <message>
        <source>Paste “Text 1” into field 1 and “Text 2” into field 2. Use %1 to choose from the list.</source>
        <translation>Cole “Texto 1” no campo 1 e “Texto 2” no campo 2. Use %1 para escolher da lista.</translation>
    </message>
    <message>
        <source>Correct! Click Done.</source>
        <translation>Correto! Clique em Concluir.</translation>
    </message>
    <message>
        <source>Start Quillstack when you log in</source>
        <translation>Iniciar o Quillstack ao fazer login</translation>
    </message>
    <message>
        <source>Field 1 — “Text 1” here</source>
        <translation>Campo 1 — “Texto 1” aqui</translation>
    </message>
    <message>
        <source>Field 2 — “Text 2” here</source>
        <translation>Campo 2 — “Texto 2” aqui</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Concluir</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Avançar</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through its GNOME Shell extension.</source>
        <translation>O Quillstack cola o item escolhido em outros aplicativos digitando Ctrl+V pela sua extensão do GNOME Shell.</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through the compositor&apos;s virtual keyboard.</source>
        <translation>O Quillstack cola o item escolhido em outros aplicativos digitando Ctrl+V pelo teclado virtual do compositor.</translation>
    </message>
    <message>
        <source>Choose an item and Quillstack pastes it into the window you were in. If a program ignores the paste, the item is still on the clipboard: press Ctrl+V there.</source>
        <translation>Escolha um item e o Quillstack o cola na janela em que você estava. Se um programa ignorar a colagem, o item continua na área de transferência: pressione Ctrl+V nele.</translation>
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
        <translation>Não colado: outra janela estava em primeiro plano. O item está na área de transferência: pressione %1 para colá-lo.</translation>
    </message>
</context>
<context>
    <name>PastePopupView</name>
    <message>
        <source>Clipboard — double-click or ↑↓ Enter to paste</source>
        <translation>Histórico — duplo clique ou ↑↓ Enter para colar</translation>
    </message>
    <message>
        <source>Clipboard — ↑↓ Enter to copy, then press Ctrl+V</source>
        <translation>Histórico — ↑↓ Enter para copiar, depois pressione Ctrl+V</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Histórico</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>Nenhum item</translation>
    </message>
    <message>
        <source>Copy something and it will appear here.</source>
        <translation>Copie algo e ele aparecerá aqui.</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Nenhum resultado</translation>
    </message>
</context>
<context>
    <name>PlatformServices</name>
    <message>
        <source>paste from history</source>
        <translation>colar do histórico</translation>
    </message>
</context>
<context>
    <name>PrivateFiles</name>
    <message>
        <source>its lock cannot be taken</source>
        <translation>não é possível obter o bloqueio</translation>
    </message>
    <message>
        <source>is not a history database</source>
        <translation>não é um banco de dados de histórico</translation>
    </message>
    <message>
        <source>is from a newer version of Quillstack</source>
        <translation>é de uma versão mais recente do Quillstack</translation>
    </message>
    <message>
        <source>cannot be written</source>
        <translation>não pode ser gravado</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>não pode ser lido</translation>
    </message>
    <message>
        <source>is not a pin file</source>
        <translation>não é um arquivo de itens fixados</translation>
    </message>
    <message>
        <source>is a symbolic link</source>
        <translation>é um link simbólico</translation>
    </message>
    <message>
        <source>is not a folder</source>
        <translation>não é uma pasta</translation>
    </message>
    <message>
        <source>belongs to another user</source>
        <translation>pertence a outro usuário</translation>
    </message>
    <message>
        <source>can be changed by other users</source>
        <translation>pode ser alterada por outros usuários</translation>
    </message>
    <message>
        <source>cannot be created</source>
        <translation>não pode ser criada</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>não é um arquivo comum</translation>
    </message>
    <message>
        <source>is too large</source>
        <translation>é grande demais</translation>
    </message>
    <message>
        <source>is not set</source>
        <translation>não está definida</translation>
    </message>
</context>
<context>
    <name>ProblemNotices</name>
    <message>
        <source>History and pins cannot be kept: %1 %2. It was left alone; move it away to keep them again.</source>
        <translation>Não é possível manter o histórico e os itens fixados: %1 %2. O arquivo foi deixado como estava; mova-o para mantê-los novamente.</translation>
    </message>
    <message>
        <source>The kept history and pins were not restored: %1 %2. It was renamed to %3.</source>
        <translation>O histórico mantido e os itens fixados não foram restaurados: %1 %2. O arquivo foi renomeado para %3.</translation>
    </message>
    <message>
        <source>No pins were restored: %1 %2. It was renamed to %3.</source>
        <translation>Nenhum item fixado foi restaurado: %1 %2. O arquivo foi renomeado para %3.</translation>
    </message>
    <message>
        <source>History and pins could not be saved: %1 %2. They are kept for this session and saved again at the next change.</source>
        <translation>Não foi possível salvar o histórico e os itens fixados: %1 %2. Eles são mantidos nesta sessão e salvos novamente na próxima alteração.</translation>
    </message>
    <message>
        <source>The ignored applications in the settings file cannot be read: the usual password managers are ignored instead.</source>
        <translation>Não é possível ler os aplicativos ignorados no arquivo de configurações: os gerenciadores de senhas mais comuns serão ignorados no lugar deles.</translation>
    </message>
</context>
<context>
    <name>QuillstackApp</name>
    <message>
        <source>Quillstack cannot start: none of these folders can be trusted to hold its lock and socket.</source>
        <translation>O Quillstack não pode iniciar: nenhuma destas pastas é confiável para guardar o bloqueio e o socket.</translation>
    </message>
</context>
<context>
    <name>QuillstackTray</name>
    <message>
        <source>History</source>
        <translation>Histórico</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Configurações…</translation>
    </message>
    <message>
        <source>Welcome guide</source>
        <translation>Guia de boas-vindas</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Sair</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Recording paused: copies are not kept</source>
        <translation>Registro pausado: o que você copiar não é guardado</translation>
    </message>
</context>
<context>
    <name>QuitQuestion</name>
    <message numerus="yes">
        <source>Quitting clears the %n items in the history.</source>
        <translation>
            <numerusform>Sair apaga %n item do histórico.</numerusform>
            <numerusform>Sair apaga os %n itens do histórico.</numerusform>
        </translation>
    </message>
    <message>
        <source>Pins are kept. The history can be kept after restart instead.</source>
        <translation>Os itens fixados são mantidos. Em vez disso, o histórico pode ser mantido após reiniciar.</translation>
    </message>
    <message>
        <source>Keep History and Quit</source>
        <translation>Manter histórico e sair</translation>
    </message>
    <message>
        <source>Quit and Clear</source>
        <translation>Sair e apagar</translation>
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
        <translation>Não é possível ler %1: estas são as configurações padrão, e as alterações não podem ser salvas.</translation>
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
        <translation>Inicialização automática</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Iniciar ao fazer login</translation>
    </message>
    <message>
        <source>Paste from history</source>
        <translation>Colar do histórico</translation>
    </message>
    <message>
        <source>In the list: ↑↓ to select, Enter or double-click to paste into the window you were in. Press the shortcut again or Esc to close without pasting.</source>
        <translation>Na lista: ↑↓ para escolher, Enter ou duplo clique para colar na janela anterior. O atalho de novo ou Esc fecha sem colar.</translation>
    </message>
    <message>
        <source>Pasting into password fields may not work: some programs ignore simulated keystrokes there for security.</source>
        <translation>Talvez não seja possível colar em campos de senha: por segurança, alguns programas ignoram teclas simuladas nesses campos.</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Histórico</translation>
    </message>
    <message>
        <source>History size</source>
        <translation>Tamanho do histórico</translation>
    </message>
    <message>
        <source>Auto-delete after</source>
        <translation>Excluir automaticamente após</translation>
    </message>
    <message>
        <source>Items older than the selected time will be removed automatically.</source>
        <translation>Itens mais antigos que o tempo escolhido serão removidos automaticamente.</translation>
    </message>
    <message>
        <source>Ignored applications</source>
        <translation>Aplicativos ignorados</translation>
    </message>
    <message>
        <source>Copies made while one of these applications is in front are never recorded.</source>
        <translation>O que for copiado enquanto um destes aplicativos estiver em primeiro plano nunca é registrado.</translation>
    </message>
    <message>
        <source>Window class or app id</source>
        <translation>Classe da janela ou ID do aplicativo</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Adicionar</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remover</translation>
    </message>
    <message>
        <source>Quit application</source>
        <translation>Sair do aplicativo</translation>
    </message>
    <message>
        <source>KWin types the paste only for a program whose desktop entry allows it. Install Quillstack from its package, or start this build with tools/run, which writes that entry: Quillstack takes it up at once, without a restart. Until then, choose an item and press Ctrl+V yourself.</source>
        <translation>O KWin só digita a colagem para um programa cuja entrada de desktop permite isso. Instale o Quillstack pelo pacote ou inicie esta compilação com tools/run, que escreve essa entrada: o Quillstack a adota na hora, sem reiniciar. Até lá, escolha um item e pressione Ctrl+V você mesmo.</translation>
    </message>
    <message>
        <source>This desktop lets no program type into other windows: choose an item in the list, then press Ctrl+V yourself.</source>
        <translation>Este desktop não deixa nenhum programa digitar em outras janelas: escolha um item da lista e pressione Ctrl+V você mesmo.</translation>
    </message>
    <message>
        <source>Pasting needs the X server&apos;s XTEST extension, which is missing here — the selected item is only copied; paste it with Ctrl+V.</source>
        <translation>Colar exige a extensão XTEST do servidor X, que não está disponível aqui: o item escolhido é apenas copiado. Cole-o com Ctrl+V.</translation>
    </message>
    <message>
        <source>Wayland gives programs no global shortcuts: bind %1 to the command “quillstack --toggle-popup” in your desktop&apos;s keyboard settings (sway: bindsym in its config; KDE Plasma: Shortcuts → Add New → Command; GNOME: Keyboard → Custom Shortcuts).</source>
        <translation>O Wayland não oferece atalhos globais aos programas: associe %1 ao comando “quillstack --toggle-popup” nas configurações de teclado do seu desktop (sway: bindsym na configuração; KDE Plasma: Atalhos → Adicionar novo → Comando; GNOME: Teclado → Atalhos personalizados).</translation>
    </message>
    <message>
        <source>The global shortcut is not available. In the desktop&apos;s keyboard shortcut settings, assign a shortcut to the command “quillstack --toggle-popup”.</source>
        <translation>O atalho global não está disponível. Nas configurações de atalhos de teclado do desktop, atribua um atalho ao comando “quillstack --toggle-popup”.</translation>
    </message>
    <message>
        <source>Open keyboard shortcut settings</source>
        <translation>Abrir configurações de atalhos de teclado</translation>
    </message>
    <message>
        <source>Another program also uses this shortcut, so both react to it. Record a different one, or free it in that program.</source>
        <translation>Outro programa também usa este atalho, então os dois reagem a ele. Grave outro ou libere-o nesse programa.</translation>
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
        <translation>colar do histórico</translation>
    </message>
    <message>
        <source>Resume recording</source>
        <translation>Retomar o registro</translation>
    </message>
    <message>
        <source>Pause recording</source>
        <translation>Pausar o registro</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Histórico</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Configurações…</translation>
    </message>
    <message>
        <source>Welcome guide</source>
        <translation>Guia de boas-vindas</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Sair</translation>
    </message>
</context>
<context>
    <name>WayInNotice</name>
    <message>
        <source>No tray icon here: open History from Quillstack in the application menu or with %1, and Settings with %2.</source>
        <translation>Não há ícone na bandeja aqui: abra o histórico pelo Quillstack no menu de aplicativos ou com %1, e as configurações com %2.</translation>
    </message>
</context>
</TS>
