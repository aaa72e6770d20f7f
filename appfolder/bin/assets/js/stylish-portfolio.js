/* Smooth scrolling for in-page links. The page also has to work as a bare
   file or inside the PDF converter, where jQuery or the remote easing
   plugin may be missing, so every step is optional. */
(function (w) {
  "use strict";
  var $ = w.jQuery;
  if (typeof $ !== "function") {
    return;
  }
  $(function () {
    var easing = $.easing && $.easing.easeInOutExpo ? "easeInOutExpo" : "swing";
    $(w.document).on("click", "a[href^='#']", function (event) {
      var id = this.getAttribute("href").slice(1);
      if (!id) {
        return;
      }
      var target = $(w.document.getElementById(id));
      if (!target.length) {
        target = $("a[name='" + id.replace(/['\\]/g, "") + "']");
      }
      if (!target.length) {
        return;
      }
      event.preventDefault();
      $("html, body").stop().animate({ scrollTop: target.offset().top }, 800, easing);
    });
  });
})(window);
