// The page's side of the web engine: every widget is an element placed at
// its pixel position in the window's panel, numbered in creation order.
// The C++ side (engine.cpp) keeps the registries and reads and writes
// through these functions.
// Emscripten releases that keep the string helpers in their library (newer
// than Debian 12's) include them only when asked; older ones always have them.
var calcDomDeps = ['$UTF8ToString', '$stringToUTF8', '$lengthBytesUTF8', 'malloc'].filter(function(name) {
  return name === 'malloc' || name in LibraryManager.library;
});

mergeInto(LibraryManager.library, {
  $calcDom__deps: calcDomDeps,
  $calcDom: {
    panel: null,
    elements: [null],      // element number -> element; 0 is no element
    defaultButton: null,   // what Enter in an input presses: the latest button
    images: [],            // decoding, awaited before the page says it is ready
    add: function(element, x, y) {
      element.style.left = x + 'px';
      element.style.top = y + 'px';
      calcDom.panel.appendChild(element);
      calcDom.elements.push(element);
      return calcDom.elements.length - 1;
    },
    make: function(tag, className) {
      var element = document.createElement(tag);
      element.className = className;
      return element;
    },
  },

  calc_dom_window__deps: ['$calcDom'],
  calc_dom_window: function(width, height) {
    var panel = calcDom.make('div', 'calc-window');
    panel.style.width = width + 'px';
    panel.style.height = height + 'px';
    document.body.appendChild(panel);
    calcDom.panel = panel;
  },

  calc_dom_label__deps: ['$calcDom'],
  calc_dom_label: function(text, size, x, y, bold) {
    var label = calcDom.make('span', bold ? 'calc-text calc-bold' : 'calc-text');
    label.textContent = UTF8ToString(text);
    label.style.fontSize = size + 'pt';
    var n = calcDom.add(label, x, y);
    label.id = 'calc-text-' + n;
    return n;
  },

  // A numeric input behaves as a spin button: Up and Down step by 0.1,
  // Page Up and Page Down by 1, Enter or leaving it commits the text.
  calc_dom_input__deps: ['$calcDom'],
  calc_dom_input: function(x, y, width, text, numeric) {
    var input = calcDom.make('input', numeric ? 'calc-input calc-number' : 'calc-input');
    input.type = 'text';
    input.autocomplete = 'off';
    input.spellcheck = false;
    input.value = UTF8ToString(text);
    input.style.width = width + 'px';
    var n = calcDom.add(input, x, y);
    if (numeric) {
      input.setAttribute('role', 'spinbutton');
      input.setAttribute('inputmode', 'decimal');
      input.setAttribute('aria-valuemin', '0');
      input.setAttribute('aria-valuemax', '10000');
      input.addEventListener('change', function() { _calc_web_commit(n); });
      var steps = {ArrowUp: 0.1, ArrowDown: -0.1, PageUp: 1, PageDown: -1};
      input.addEventListener('keydown', function(event) {
        if (event.key in steps && !event.altKey && !event.ctrlKey && !event.metaKey && !event.shiftKey) {
          event.preventDefault();
          _calc_web_step(n, steps[event.key]);
        }
      });
    }
    // Enter commits and presses the window's button as a click does; the
    // caret stays where it was, so the next key lands where the user expects.
    input.addEventListener('keydown', function(event) {
      if (event.key !== 'Enter' || event.isComposing) return;
      event.preventDefault();
      var start = input.selectionStart, end = input.selectionEnd;
      if (numeric) _calc_web_commit(n);
      input.setSelectionRange(start, end);
      if (calcDom.defaultButton) calcDom.defaultButton.click();
    });
    return n;
  },

  calc_dom_checkbox__deps: ['$calcDom'],
  calc_dom_checkbox: function(text, x, y) {
    var label = calcDom.make('label', 'calc-check');
    var box = document.createElement('input');
    box.type = 'checkbox';
    label.appendChild(box);
    label.appendChild(document.createTextNode(UTF8ToString(text)));
    calcDom.add(label, x, y);
    calcDom.elements[calcDom.elements.length - 1] = box;  // the box is the widget
    return calcDom.elements.length - 1;
  },

  calc_dom_button__deps: ['$calcDom'],
  calc_dom_button: function(text, x, y, width) {
    var button = calcDom.make('button', 'calc-button');
    button.type = 'button';
    button.textContent = UTF8ToString(text);
    button.style.width = width + 'px';
    var n = calcDom.add(button, x, y);
    button.addEventListener('click', function() { _calc_web_clicked(n); });
    calcDom.defaultButton = button;
    return n;
  },

  calc_dom_area__deps: ['$calcDom'],
  calc_dom_area: function(x, y, width, height) {
    var area = calcDom.make('textarea', 'calc-area');
    area.readOnly = true;
    area.style.width = width + 'px';
    area.style.height = height + 'px';
    return calcDom.add(area, x, y);
  },

  calc_dom_field__deps: ['$calcDom'],
  calc_dom_field: function(x, y, width) {
    var field = calcDom.make('input', 'calc-field');
    field.type = 'text';
    field.readOnly = true;
    field.value = '---';
    field.style.width = width + 'px';
    return calcDom.add(field, x, y);
  },

  // PNG or SVG from Base64 text, stretched over width x height. Line breaks
  // and other characters outside the alphabet are skipped; text that does
  // not decode, or bytes that are no image, show nothing.
  calc_dom_image__deps: ['$calcDom'],
  calc_dom_image: function(x, y, width, height, text) {
    var base64 = UTF8ToString(text).replace(/[^A-Za-z0-9+\/=]/g, '');
    var head;
    try { head = atob(base64.substring(0, 8)); atob(base64); } catch (e) { return 0; }
    if (!base64.length) return 0;
    var type = head.substring(1, 4) === 'PNG' ? 'image/png' : 'image/svg+xml';
    var image = calcDom.make('img', 'calc-image');
    image.alt = '';
    image.style.width = width + 'px';
    image.style.height = height + 'px';
    image.src = 'data:' + type + ';base64,' + base64;
    calcDom.images.push(image.decode().catch(function() { image.remove(); }));
    return calcDom.add(image, x, y);
  },

  calc_dom_set_text__deps: ['$calcDom'],
  calc_dom_set_text: function(n, text) {
    var element = calcDom.elements[n], value = UTF8ToString(text);
    if ('value' in element && element.tagName !== 'BUTTON') {
      if (element.value !== value) element.value = value;  // keeps the caret when nothing changes
    } else {
      element.textContent = value;
    }
  },

  calc_dom_set_label__deps: ['$calcDom'],
  calc_dom_set_label: function(n, text) { calcDom.elements[n].textContent = UTF8ToString(text); },

  // Whether the browser's language writes decimals with a comma (pt-BR).
  calc_dom_decimal_comma: function() {
    try { return (1.5).toLocaleString(navigator.language).indexOf(',') >= 0 ? 1 : 0; } catch (e) { return 0; }
  },

  calc_dom_set_number__deps: ['$calcDom'],
  calc_dom_set_number: function(n, value, valid) {
    var input = calcDom.elements[n];
    if (valid) {
      input.setAttribute('aria-valuenow', String(value));
      input.removeAttribute('aria-invalid');
    } else {
      input.removeAttribute('aria-valuenow');
      input.setAttribute('aria-invalid', 'true');
    }
  },

  // data-calc-id names the widget a facade id reaches (tests find it so);
  // an element replaced under its id loses it.
  calc_dom_set_id__deps: ['$calcDom'],
  calc_dom_set_id: function(n, id, previous) {
    if (previous) delete calcDom.elements[previous].dataset.calcId;
    calcDom.elements[n].dataset.calcId = String(id);
  },

  calc_dom_name_after__deps: ['$calcDom'],
  calc_dom_name_after: function(n, caption) {
    calcDom.elements[n].setAttribute('aria-labelledby', calcDom.elements[caption].id);
  },

  calc_dom_text__deps: ['$calcDom'],
  calc_dom_text: function(n) {
    var element = calcDom.elements[n];
    var text = element.tagName === 'INPUT' && element.type === 'checkbox' ? element.parentNode.textContent
             : element.tagName === 'INPUT' || element.tagName === 'TEXTAREA' ? element.value
             : element.textContent;
    var size = lengthBytesUTF8(text) + 1, copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
  },

  calc_dom_checked__deps: ['$calcDom'],
  calc_dom_checked: function(n) { return calcDom.elements[n].checked ? 1 : 0; },

  calc_dom_last__deps: ['$calcDom'],
  calc_dom_last: function() { return calcDom.elements.length - 1; },

  calc_dom_click__deps: ['$calcDom'],
  calc_dom_click: function(n) { calcDom.elements[n].click(); },

  calc_dom_on_screen__deps: ['$calcDom'],
  calc_dom_on_screen: function(n) { return calcDom.panel.contains(calcDom.elements[n]) ? 1 : 0; },

  // The window is built: the focus goes to the first input with its text
  // selected, as Tab leaves it, so what is typed first replaces the value;
  // once the images are drawn the page says so (drivers and benchmarks wait
  // for it).
  calc_dom_ready__deps: ['$calcDom'],
  calc_dom_ready: function() {
    var first = calcDom.panel.querySelector('.calc-input');
    if (first) { first.focus(); first.select(); }
    Promise.all(calcDom.images).then(function() { document.documentElement.dataset.calcReady = '1'; });
  },
});
